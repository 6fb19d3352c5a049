#include "port/qt/platform.h"

#include <QLocale>
#include <QSettings>

namespace port::qt {
namespace {

QString keyOf(const std::string& key) { return QString::fromUtf8(key.data(), qsizetype(key.size())); }

template <class... F> struct Overload : F... { using F::operator()...; };
template <class... F> Overload(F...) -> Overload<F...>;

} // namespace

QtUserDefaults::QtUserDefaults() : settings_(std::make_unique<QSettings>()) {}
QtUserDefaults::~QtUserDefaults() = default;

void QtUserDefaults::remove(const std::string& key) { settings_->remove(keyOf(key)); }

char QtUserDefaults::decimalSeparator() const {
    return QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

void QtUserDefaults::sync() { settings_->sync(); }

void QtUserDefaults::store(const std::string& key, const DefaultValue& v) {
    const QVariant value = std::visit(Overload{
        [](bool b) { return QVariant(b); },
        [](int64_t i) { return QVariant(qlonglong(i)); },
        [](double d) { return QVariant(d); },
        [](const std::string& s) {
            const QByteArray bytes(s.data(), qsizetype(s.size()));
            const QString text = QString::fromUtf8(bytes);
            // Text that is not UTF-8 would not survive a QString; keep its bytes instead.
            return text.toUtf8() == bytes ? QVariant(text) : QVariant(bytes);
        },
    }, v);
    settings_->setValue(keyOf(key), value);
}

bool QtUserDefaults::load(const std::string& key, DefaultValue& out) const {
    const QVariant v = settings_->value(keyOf(key));
    if (!v.isValid()) return false;
    switch (v.typeId()) {
    case QMetaType::Bool:
        out = v.toBool();
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        out = int64_t(v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        out = v.toDouble();
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        out = std::string(b.constData(), size_t(b.size()));
        break;
    }
    default:
        // Values read back from the file come as text; the getters convert them.
        out = v.toString().toStdString();
        break;
    }
    return true;
}

} // namespace port::qt

#pragma once
// The window listing the vendors of extra content, read from the providers folder when it
// opens. One at a time; closing it forgets it, so the next opening reads the folder again.
#include <QWidget>
#include <vector>

#include "content/core/content_provider_entry.h"

class QLabel;
class QListWidget;
class QMDURLTextField;

class ContentProviderController : public QWidget {
    Q_OBJECT
public:
    static ContentProviderController* sharedContentProviderController();
    // Whether one is open (asking for it would make one).
    static bool exists();

    void populateProviderList();
    // An index outside the list does nothing.
    void setControlsForEntryAtIndex(int32_t index);
    const std::vector<ContentProviderEntry>& providerList() const { return providerList_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ContentProviderController();
    void windowDidLoad();

    std::vector<ContentProviderEntry> providerList_;
    QLabel* vendorImageView_;
    QListWidget* providerTableView_;
    QLabel* vendorNameText_;
    QLabel* contactInfoText_;
    QLabel* descriptionText_;
    QMDURLTextField* vendorURLText_;
};

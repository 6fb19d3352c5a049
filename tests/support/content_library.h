#pragma once
// Content library folders: INI text (catalogues, info and paint files) and files written with
// their folders made on the way.
#include <initializer_list>
#include <string>

namespace dvxtest {

// INI text built section by section: Ini().section("Object").key("1Object", "Chairs").text().
class Ini {
public:
    Ini& section(const std::string& name) { return line("[" + name + "]"); }
    Ini& key(const std::string& key, const std::string& value) { return line(key + "=" + value); }
    // A catalogue's `section` listing `names` ("1Object=Chairs", "1ObjectDirectory=Chairs", ...);
    // a name written "!name" has no directory key.
    Ini& categories(const std::string& section, std::initializer_list<std::string> names);
    const std::string& text() const { return text_; }

private:
    Ini& line(const std::string& text) { return text_ += text + "\n", *this; }
    std::string text_;
};

// Writes the text to the path, making the folders above it.
void WriteTextFile(const std::string& path, const std::string& text);
// Writes each of `names` into `folder` holding `text`.
void WriteFiles(const std::string& folder, std::initializer_list<std::string> names, const std::string& text = "");

}  // namespace dvxtest

#pragma once
// Builders for content library folders: INI text (catalogues, info and paint files) and
// files written with their folders made on the way.
#include <initializer_list>
#include <string>
#include <utility>

namespace dvxtest {

// INI text built section by section: Ini().section("Object").key("1Object", "Chairs").text().
class Ini {
public:
    Ini& section(const std::string& name);
    Ini& key(const std::string& key, const std::string& value);
    // A catalogue's listing of `names` in `section` ("1Object=Chairs", "1ObjectDirectory=Chairs",
    // ...), each with its directory key; a name written as "!name" has none.
    Ini& categories(const std::string& section, std::initializer_list<std::string> names);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// Writes the text to the path, making the folders above it.
void WriteTextFile(const std::string& path, const std::string& text);

// Writes the files `names` into `folder` (made when missing), each holding `text`.
void WriteFiles(const std::string& folder, std::initializer_list<std::string> names, const std::string& text = "");

}  // namespace dvxtest

#pragma once
// Finding library files on a case-sensitive file system: names are built with the library's
// upper-case extensions, and a file whose name differs only in letter case stands in for one
// missing under the exact name. Listings are sorted by name, so entries come in the same
// order on every machine.
#include <string>
#include <unordered_map>
#include <vector>

namespace content {

// One folder's listing, read on first need and kept. A folder inside the user's content
// folder is listed together with the same folder in the stock one (SearchedFolders), the
// user's files first; each place is found in any letter case (FindFolderIgnoringCase).
class FolderListing {
public:
    explicit FolderListing(std::string folder);
    const std::string& folder() const { return folder_; }
    // The entry names of all the places, sorted, each once.
    const std::vector<std::string>& names();
    // The path of the regular file `name`, or of one whose name differs only in ASCII letter
    // case (the first in name order), in the first place that has either; empty when none.
    std::string find(const std::string& name);

private:
    struct Place {
        std::string folder;
        std::unordered_map<std::string, std::string> byLowerName;
    };
    void list();

    std::string folder_;
    bool listed_ = false;
    std::vector<Place> places_;
    std::vector<std::string> names_;
};

// The file at `path`, or one in the same folder whose name differs only in letter case;
// empty when there is neither.
std::string FindFileIgnoringCase(const std::string& path);

// The folder at `path`, or one in the same parent whose name differs only in ASCII letter case
// (the first in name order): the texture table spells stock folders in capitals, the palette's
// tree in mixed case, and a case-sensitive disk holds one of them. Empty when there is neither.
std::string FindFolderIgnoringCase(const std::string& path);

// Whether `name` is longer than four characters and ends in `extension` (".PTX"), ignoring
// ASCII letter case.
bool HasDataExtension(const std::string& name, const char* extension);

// The path with its last three characters replaced by `extension` ("PTI").
std::string WithExtension(const std::string& path, const char* extension);

// The path below `root` without the root and the separator after it; the path as it is when
// it does not lie below the root.
std::string RelativeToFolder(const std::string& root, const std::string& path);

}  // namespace content

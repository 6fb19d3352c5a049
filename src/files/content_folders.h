#pragma once
// The folder tree the program reads its content from. Two folders come from the platform
// (port/folders.h), each the program's own folder in its domain: the system one holds the
// stock content that comes with the program (read-only; "share/dovranix" beside it) and the
// shared one is the user's ("$XDG_DATA_HOME/dovranix"), where the user adds content and the
// program writes. The stock content meant for the shared folder (plants, objects, catalogues)
// lies in the stock folder under the same names, so a shared folder is searched in both, the
// user's first (SearchedFolders, SharedFile). Every path is computed afresh; nothing is
// created here but by MakeUserContentFolders. When a root cannot be found, it and every path
// built on it come back empty, and callers treat the file as missing.
#include <string>
#include <vector>

// The product version folder below the system "Zelt" folder (plug-in tool descriptors).
inline constexpr const char* kProductVersionFolderName = "Dovranix Home 1.0";

std::string LocalDomainApplicationSupportPath();   // the stock folder
std::string UserDomainApplicationSupportPath();    // the user's folder
std::string LocalDomainUserSharedPath();           // the user's folder, where shared content goes

std::string LocalDomainTexturePath();             // system: Zelt/Textures (stock textures)
std::string LocalDomainUserSharedTexturePath();   // shared: Zelt/Textures
std::string LocalDomainPlantPath();               // the same folder as the one above
std::string LocalDomainCustomTexturePath();       // shared: Zelt/Textures/CustomTextures
std::string LocalDomainCustomPlantPath();         // shared: Zelt/Textures/CustomPlants
std::string LocalDomainAccessoriesPath();         // inside CustomTextures: Accessories
std::string LocalDomainCustomTrimPath();          // shared: Zelt/Components/Trim
std::string LocalDomainCustomWindowPath();        // shared: Zelt/Components/Windows
std::string LocalDomainCustomDoorPath();          // shared: Zelt/Components/Doors
std::string LocalDomain2DObjectPath();            // shared: Zelt/2DSymbols
std::string LocalDomain3DObjectPath();            // shared: Zelt/Objects
std::string LocalDomainTemplatePath();            // shared: Zelt/Templates
std::string LocalDomainPaintPath();               // shared: Zelt/Paint
std::string LocalDomainContentPath();             // shared: Zelt/Content
std::string LocalDomainPowerToolPath();           // system: Zelt/<product version>/Plugins
std::string UserDomainPowerToolPath();            // shared: Zelt/<product version>/Plugins (the user's own)
std::string LocalDomainOEMSym2DPath();            // system: Zelt/Objects/Symbol2D
std::string LocalDomainOEMSym3DPath();            // system: Zelt/Objects/Symbol3D
std::string LocalDomainContentProviderPath();     // system: Zelt/Providers

// A folder as it is searched: a folder inside the user's folder, then the same folder inside
// the stock one; any other folder alone.
std::vector<std::string> SearchedFolders(const std::string& folder);
// The first of SearchedFolders' places that holds the file `path` names; `path` itself when
// none does.
std::string SharedFile(const std::string& path);
// Makes the user's folder and the folders in it a user adds content to, where missing.
// False when one could not be made.
bool MakeUserContentFolders();

// True for a path that cannot be opened as it stands: none, shorter than two characters
// (also after trimming white space and line ends), a drive letter and colon, or a leading
// backslash.
bool IsWin32Path(const char* path);

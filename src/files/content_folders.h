#pragma once
// The folder tree the program reads its content from. Three roots come from the platform
// (port/folders.h): the system support folder, the user support folder and the shared user
// folder (the users folder with "/Shared" appended as text). Below them the program keeps one
// folder, "Zelt". Every path is computed afresh; nothing is created here. When a root cannot
// be found, it and every path built on it come back empty, and callers treat the file as
// missing.
#include <string>

// The product version folder below the system "Zelt" folder (plug-in tool descriptors).
inline constexpr const char* kProductVersionFolderName = "Dovranix Home 1.0";

std::string LocalDomainApplicationSupportPath();
std::string UserDomainApplicationSupportPath();
std::string LocalDomainUserSharedPath();

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
std::string LocalDomainOEMSym2DPath();            // system: Zelt/Objects/Symbol2D
std::string LocalDomainOEMSym3DPath();            // system: Zelt/Objects/Symbol3D
std::string LocalDomainContentProviderPath();     // system: Zelt/Providers

// True for a path that cannot be opened as it stands: none, shorter than two characters
// (also after trimming white space and line ends), a drive letter and colon, or a leading
// backslash.
bool IsWin32Path(const char* path);

#pragma once
// One plug-in tool as its descriptor (".PEG") announces it: where its program and exchange
// folder are, what the launcher shows of it, and which design holds it while it runs.
#include <cstdint>
#include <memory>
#include <string>

#include "model/document_model.h"
#include "port/images.h"

// The launcher's row for an entry (user interface); the entry only points at it.
class PowerToolEntryController;

class PowerToolEntry {
public:
    PowerToolEntry() = default;
    PowerToolEntry(const PowerToolEntry&) = delete;
    PowerToolEntry& operator=(const PowerToolEntry&) = delete;

    // "DeveloperID", carried.
    int32_t plugInDevID() const { return plugInDevID_; }
    void setPlugInDevID(int32_t v) { plugInDevID_ = v; }
    // "Type", the low 16 bits of the number read; must be above 0.
    int16_t plugInType() const { return plugInType_; }
    void setPlugInType(int16_t v) { plugInType_ = v; }
    // "RefID", carried.
    int32_t plugInRefNum() const { return plugInRefNum_; }
    void setPlugInRefNum(int32_t v) { plugInRefNum_ = v; }
    // "ID": the key of lookups, of a design's plug-in data block and of notifications.
    int32_t plugInID() const { return plugInID_; }
    void setPlugInID(int32_t v) { plugInID_ = v; }
    // The exchange file version the tool reads, and the minimum it names (carried).
    int32_t plugInFileVer() const { return plugInFileVer_; }
    void setPlugInFileVer(int32_t v) { plugInFileVer_ = v; }
    int32_t plugInMinFileVer() const { return plugInMinFileVer_; }
    void setPlugInMinFileVer(int32_t v) { plugInMinFileVer_ = v; }

    // Paths: the descriptor, the tool's program and the tool's folder. The text and string
    // setters ignore a null or empty value.
    const std::string& plugInPEG() const { return plugInPEG_; }
    void setPlugInPEG(const char* v) { SetText(plugInPEG_, v); }
    const std::string& plugInEXE() const { return plugInEXE_; }
    void setPlugInEXE(const char* v) { SetText(plugInEXE_, v); }
    const std::string& plugInDir() const { return plugInDir_; }
    void setPlugInDir(const char* v) { SetText(plugInDir_, v); }

    // The decoded "Image" the launcher shows; a null image is ignored.
    const std::shared_ptr<const port::DecodedImage>& plugInPreview() const { return plugInPreview_; }
    void setPlugInPreview(std::shared_ptr<const port::DecodedImage> v) {
        if (v) plugInPreview_ = std::move(v);
    }

    const std::string& plugInName() const { return plugInName_; }
    void setPlugInName(const char* v) { SetText(plugInName_, v); }
    const std::string& plugInDescription() const { return plugInDescription_; }
    void setPlugInDescription(const char* v) { SetText(plugInDescription_, v); }
    // The name of the tool's exchange folder under the system temporary folder.
    const std::string& plugInAppleAppID() const { return plugInAppleAppID_; }
    void setPlugInAppleAppID(const char* v) { SetText(plugInAppleAppID_, v); }

    // Free to launch; false exactly while a design holds the tool (the launch sets both).
    bool plugInAvailable() const { return plugInAvailable_; }
    void setPlugInAvailable(bool v) { plugInAvailable_ = v; }
    // The design holding the tool: null when none holds it or once that design is freed.
    QMDDocumentModel* plugInOwnerDocument() const { return plugInOwnerDocument_.get(); }
    void setPlugInOwnerDocument(QMDDocumentModel* model) { plugInOwnerDocument_ = DocumentModelHandle(model); }

    PowerToolEntryController* plugInViewController() const { return plugInViewController_; }
    void setPlugInViewController(PowerToolEntryController* v) { plugInViewController_ = v; }

    // Paths, preview, name and exchange folder present; ID, type and file version above 0.
    bool isPowerToolEntryValid() const;

private:
    static void SetText(std::string& field, const char* v) {
        if (v && *v) field = v;
    }

    int32_t plugInDevID_ = 0;
    int16_t plugInType_ = 0;
    int32_t plugInRefNum_ = 0;
    int32_t plugInID_ = 0;
    int32_t plugInFileVer_ = 0;
    int32_t plugInMinFileVer_ = 0;
    std::string plugInPEG_;
    std::string plugInEXE_;
    std::string plugInDir_;
    std::shared_ptr<const port::DecodedImage> plugInPreview_;
    std::string plugInName_;
    std::string plugInDescription_;
    std::string plugInAppleAppID_;
    bool plugInAvailable_ = true;
    DocumentModelHandle plugInOwnerDocument_;
    PowerToolEntryController* plugInViewController_ = nullptr;
};

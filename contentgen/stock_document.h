// The document the stock content is built in: its settings give the model units (a new
// document's plan scale), and the project's design file writer saves what lies on its
// current floor.
#pragma once

#include <string>
#include <vector>

struct Objex;
class QMDDocumentModel;

namespace contentgen {

class StockDocument {
public:
    StockDocument();
    ~StockDocument();
    StockDocument(const StockDocument&) = delete;
    StockDocument& operator=(const StockDocument&) = delete;

    bool ready() const { return doc_ != nullptr; }
    // Puts the objects on the current floor, writes the design file and empties the floor
    // again; false (after saying why) when the file is not written.
    bool writeDesign(const std::string& path, const std::vector<Objex*>& objects);

private:
    QMDDocumentModel* doc_ = nullptr;
};

}  // namespace contentgen

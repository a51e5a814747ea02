// The graphics editor's format table seen from its documents: a file read into a graphics document (the
// plug-in exchange file first, then the table's formats through GDI+) and a document written out as a format
// of the table (its image area alone) or, for a document read from an exchange file, back into that file.
//
// Only a file that the exchange reader accepted ever carries the exchange file's id (-1): any other image,
// whatever GDI+ makes of it, is written only in a format the user chose in the save dialog.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "app/core/TKelvoDocument.h"
#include "app/win/TKelvoGraphicsFormats.h"

class TKelvoGraphicsDocument;

enum class TKelvoExchangeLoad { NotExchange, Loaded, Failed };

// The JPEG options dialog: shown with the current quality; true on OK with the chosen one.
using TKelvoAskJpegQuality = std::function<bool(std::int32_t& quality)>;

class TKelvoGraphicsDocumentFormats : public TKelvoDocumentFormats {
public:
    TKelvoGraphicsDocumentFormats(TKelvoGraphicsFormats& table, TKelvoAskJpegQuality askJpegQuality)
        : table_(table), askJpegQuality_(std::move(askJpegQuality)) {}

    const TKelvoFileFormats& FileFormats() const override { return table_; }
    TKelvoGraphicsFormats& Table() const { return table_; }

    // Under the hourglass (put back however the load ends). False for a document that is not a graphics
    // document and for a file that reads as nothing; the document's pixels are then to be thrown away.
    bool Load(TKelvoDocument& document, const std::u16string& fileName, std::int32_t& formatId) override;
    // JPEG asks for the quality first (Cancel writes nothing); the tools are told before anything is written.
    bool Save(TKelvoDocument& document, const std::u16string& fileName, std::int32_t formatId) override;

private:
    TKelvoExchangeLoad LoadExchange(TKelvoGraphicsDocument& document, const std::u16string& fileName);

    TKelvoGraphicsFormats& table_;
    TKelvoAskJpegQuality askJpegQuality_;
};

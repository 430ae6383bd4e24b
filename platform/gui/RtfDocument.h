#pragma once

#include "base/Values.h"
#include "platform/RtfReader.h"

#include <QTextCursor>

class QTextDocument;

namespace rtf {

// Fills a text document through a cursor, each run of text with its format.
class QtSink : public Sink {
public:
    explicit QtSink(QTextDocument& document);
    void Text(std::u32string_view text, const CharFormat& format) override;
    void ParagraphEnd() override;
    void LineBreak() override;

private:
    QTextCursor cursor;
};

// The largest document file that is read; a larger one counts as missing.
constexpr long long MaxFileSize = 64LL * 1024 * 1024;

// Replaces the document's content with the RTF file's. False, with the
// document unchanged, when the file is missing, unreadable, no regular file
// or larger than MaxFileSize.
bool LoadFile(const AnsiString& path, QTextDocument& document);

} // namespace rtf

#include "screen/ScreenPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

QPrinter* ScreenPrinter()
{
    static std::unique_ptr<QPrinter> printer;
    if (!printer) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return nullptr;
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    return printer.get();
}

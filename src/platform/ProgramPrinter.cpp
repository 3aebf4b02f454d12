#include "platform/ProgramPrinter.h"

#include <QPrinter>

QPrinter& programPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

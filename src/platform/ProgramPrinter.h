#pragma once

#include <memory>

class QPrinter;

// What the user chose in the printer dialogs of the run: printer, output file,
// paper, margins, copies. The set-up and print dialogs write into it, so a
// printer chosen once stays chosen; nothing is ever printed on it.
QPrinter& programPrinter();

// A printer of its own for one printout, carrying that choice. A printout
// that fails (a full disk, a vanished printer) leaves its printer in a state
// of its own; a fresh one per printout keeps the next printout whole.
std::unique_ptr<QPrinter> newProgramPrinter();

#pragma once

class QPrinter;

// The printer of the run: the printer set-up dialog configures it and every
// report and diagram print uses it, so a printer chosen once stays chosen.
QPrinter& programPrinter();

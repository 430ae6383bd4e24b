#pragma once

class QPrinter;

// The printer of the run-time screen: one for the program's life, so that what
// printersetup chose stays for every later printscr. Null when the system has
// no printer.
QPrinter* ScreenPrinter();

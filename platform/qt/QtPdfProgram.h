#pragma once

namespace vendaro {

// The PDF printing program (`vendaro-pdf FILE`): reads a document as
// printedDocumentText from standard input and writes it to FILE with
// QtPdfPrinter, on Qt's offscreen platform (no display needed) and in UTC.
// Exits 0, or 2 with a message on standard error.
int runPdfProgram(int argc, char** argv);

}  // namespace vendaro

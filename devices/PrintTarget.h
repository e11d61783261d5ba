#pragma once
// The host's printer as the printer device sees it: documents of pages
// drawn with a QPainter. The system's printers (QPrinter), a PDF file and
// tests stand behind it.

class QPainter;

namespace korvelin {

class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    // Opens a document and returns the painter of its first page, or null
    // when no printer can take a document (a host failure of the statement).
    virtual QPainter* beginDocument() = 0;
    // Moves the open document on to a fresh page.
    virtual bool newPage() = 0;
    // Closes the document and sends it to the printer.
    virtual bool endDocument() = 0;
};

} // namespace korvelin

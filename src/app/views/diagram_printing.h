#pragma once
// ファイル > 印刷: the picture of the diagram that エクスポート makes (without the grid) on one
// page, as large as it fits and centred, through Qt's print preview, whose print dialog also prints
// into a PDF file.

#include "render/diagram_picture.h"

class Prompter;
class QPrinter;
class QWidget;
struct Session;

// Prints the picture on one page of printer. False, after telling the person when the output
// was a file, when the printer could not be started.
bool PrintPicture(QPrinter& printer, const DiagramPicture& picture, Prompter& ui);

// Shows the print preview of the diagram as it stands; printing from it prints the picture.
void ShowPrintPreview(QWidget* parent, Session& s);

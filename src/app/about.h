#pragma once
// バージョン情報: the program's name and version, its licence and the Qt it runs on.

#include <QString>

QString AboutText();

// A review sheet of everything the generator wrote into a folder.
#pragma once

#include <QString>

bool writeContactSheet(const QString& pictureDir, const QString& sheetPath, QString& error);

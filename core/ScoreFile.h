#pragma once

#include "core/ProgramState.h"

#include <QByteArray>
#include <QString>

class QIODevice;
class QSaveFile;

// A child's own score file (*.tbo): twelve lines, one score per line in catalogue order.
namespace ScoreFile {

// Stored files hold exactly this many lines, and older copies of the program read no others. A
// thirteenth exercise needs a new version of the file (a line that names the version, read
// beside the twelve-line files), not a thirteenth line.
inline constexpr int Lines = 12;
static_assert(ExerciseCount == Lines, "a score file holds one line per exercise");

struct Result
{
    Scores scores;
    QString error; // German message naming the file; empty on success

    bool ok() const { return error.isEmpty(); }
};

// All twelve scores or none. Each of the first twelve lines holds one number with any blanks
// around it; the number ends at a blank, a comma or the line end, and a fraction rounds to the
// nearest integer, halves to even. Any further lines must be blank. CR LF, LF and CR all end a
// line. A number outside the 32-bit range, a missing line or anything else on a line rejects
// the whole file.
Result read(QIODevice& device, const QString& fileName);
// Refuses anything but a regular file before opening it.
Result load(const QString& path);

// Each score as a blank or a minus sign, the digits, one blank and CR LF.
QByteArray format(const Scores& scores);

// Replaces the file as a whole: on failure the previous file stays as it was. A folder, pipe or
// device in its place is left alone. Returns a German message naming the file, empty on success.
QString save(const QString& path, const Scores& scores);
// The same through a save file not yet opened, named for the file to replace.
QString save(QSaveFile& file, const Scores& scores);

} // namespace ScoreFile

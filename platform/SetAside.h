#pragma once

#include <QString>

// Moves a file that cannot be used to the first free name of the form "<file>.beschaedigt",
// "<file>.beschaedigt-2", ..., so that a new one can start in its place while nothing is lost.
// Returns the new name; empty when the file could not be moved.
QString setAside(const QString& fileName);

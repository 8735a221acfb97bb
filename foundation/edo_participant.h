#pragma once

#include <QString>

// A party's identifier with its e-document exchange operator: the operator's three-character
// prefix and the party's own part ("2BM-7701234567-770101001-…"), at most 46 characters, Latin
// letters, digits and hyphens. It becomes part of the e-document's file name, whose parts are
// joined by "_", so nothing else may stand in it.

// Empty when the text is such an identifier, otherwise why not (a Russian sentence to show).
// An empty text is no identifier.
QString EdoIdProblem(const QString& edoId);

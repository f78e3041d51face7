#pragma once

#include <string>
#include <vector>

namespace lirabo {

// Marks where a search matched in laid-out entry text: every place where
// one of Pieces (UTF-8) occurs in the plain text of Text (codes left out, the
// body mark and a hard break read as a space; see WalkPlainBytes), compared
// after simple case folding, gets the selection codes around it, so the
// painter shows it in the selection colour. Marks go around whole
// characters, never inside one. The codes take no room, so the layout stays
// valid; overlapping places are marked once.
void MarkPieces(std::string& Text, const std::vector<std::string>& Pieces);

// Text without the marks MarkPieces put in (and any other selection codes).
std::string WithoutMarks(const std::string& Text);

}  // namespace lirabo

// The word a report writes for a gender choice ("[he/she]", "[vivo/viva]") when the chart
// it is about has no gender: never a silent "he".
//
// Each report language does what its grammar allows:
//   English    neutral pronouns and nouns ("them", "their", "themselves", "child",
//              "partner"); the subject pronoun becomes the person's name so that the verb
//              after it still agrees ("Cy has").
//   Norwegian  the neutral pronoun "hen"/"hens" and neutral nouns ("barn", "forelder").
//   Spanish    the subject or stressed pronoun ("él", "ella") becomes the person's name; a
//              word whose forms differ by an ending keeps both as forms write them
//              ("vivo/a", "trabajador/a"); any other pair keeps both forms ("lo/la").
//   French     likewise: "il" and stressed "lui" become the name, an added ending is put in
//              brackets ("seul(e)", "né(e)"), other pairs keep both forms ("le/la").
// In English and Norwegian a word with no neutral form here takes the first part, as the
// author's text orders it.
#pragma once

#include <string>
#include <string_view>

namespace korvana::lang {

// The neutral word for the choice between `male` and `female` (the choice's first and
// second part) in report language `language` (0..3; any other number is English), keeping
// the capital of the first letter. `owner` is the person's name as the report writes it.
// "" when the language has no neutral form for the word (English and Norwegian words not in
// their tables) or the word is the subject pronoun and `owner` is empty: the caller then
// takes the first part.
std::string NeutralChoice(std::string_view male, std::string_view female, std::string_view owner, int language);

}  // namespace korvana::lang

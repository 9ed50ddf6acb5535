#ifndef BRAMBLE_TESTS_TEXTS_ENGLISH_FIT_H_
#define BRAMBLE_TESTS_TEXTS_ENGLISH_FIT_H_

#include <string_view>

namespace bramble {

/// Plays several hundred seeded battles of names of seven letters in
/// English and holds every line to an 80-column console: at most 79
/// columns with its status line (each number counted as three digits), no
/// "'s" after a name, and a start as a sentence starts (a capital, a name
/// or the frame "*--"). Every happening, song title and reaction must
/// occur. `shell` is the plain text of the English session outside its
/// battles (usage, banner, prompts, verse, notices), held to 79 columns
/// too. Prints each fault to standard error; returns how many there were.
int EnglishFitFaults(std::string_view shell);

}  // namespace bramble

#endif  // BRAMBLE_TESTS_TEXTS_ENGLISH_FIT_H_

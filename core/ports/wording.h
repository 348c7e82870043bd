// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The wording port: the user's language for the texts the logic makes itself (a line not sent, an
// open cancelled, an unexpected reply, what a reply should have been). Each such text is an
// English pattern with %1, %2... for what is filled in, marked where it is written with
// TAVO_PHRASE, which Qt's lupdate is told to read as QT_TRANSLATE_NOOP; the port gives the pattern
// in the user's language, or as it is. Texts of the catalog that the window shows are marked with
// TAVO_TRANSLATE_NOOP and translated by the window itself. core stays free of Qt: both macros are
// the text itself.

#include <string>

// A text for people, in English, with the context it is translated in.
#define TAVO_TRANSLATE_NOOP(context, text) text
// The same as a Phrase.
#define TAVO_PHRASE(context, text) (::tavo::Phrase{context, text})

namespace tavo {

struct Phrase {
    const char* context;
    const char* source;
};

class Wording {
public:
    virtual ~Wording() = default;

    // The pattern in the user's language; its placeholders are kept.
    [[nodiscard]] virtual std::string wordsOf(const Phrase& phrase) const = 0;
};

} // namespace tavo

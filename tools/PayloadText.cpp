// Text-like payload contents: French prose, word lists, hyphenation patterns
// and document markup, all cp1252 with CR LF line ends.
#include "tools/PayloadText.h"

#include <vector>

namespace {

const std::vector<const char*> kWords = {
    "le",          "la",           "les",        "un",         "une",        "des",
    "et",          "de",           "du",         "à",          "en",         "pour",
    "avec",        "dans",         "votre",      "notre",      "nous",       "vous",
    "est",         "sont",         "sera",       "lettre",     "document",   "madame",
    "monsieur",    "société",      "date",       "objet",      "demande",    "réponse",
    "commande",    "facture",      "livraison",  "délai",      "contrat",    "service",
    "client",      "adresse",      "téléphone",  "référence",  "dossier",    "suite",
    "veuillez",    "agréer",       "expression", "sentiments", "distingués", "meilleurs",
    "salutations", "cordialement", "réunion",    "semaine",    "prochaine",  "mois",
    "année",       "prix",         "montant",    "total",      "page",       "paragraphe",
    "chapitre",    "titre",        "modèle",     "texte",      "écrire",     "envoyer",
    "recevoir",    "confirmer",    "préciser",   "joindre",    "ci-joint",   "également",
    "toutefois",   "néanmoins",    "ainsi",      "car",        "mais",       "très",
    "bien",        "plus",         "moins",      "après",      "avant",      "pendant",
    "première",    "dernière",     "nouvelle",   "ancienne",   "rapide",     "simple",
    "complet",     "être",         "avoir",      "faire",      "prendre",    "dire",
    "voir",        "savoir",       "Noël",       "fête",       "été",        "hiver",
    "printemps",   "automne",      "cœur",
};

const std::vector<const char*> kSyllables = {
    "ab", "ac", "al", "an", "ar", "at", "be", "ca", "ce", "ch", "co", "de", "di", "el",
    "en", "er", "es", "ex", "fi", "ge", "ha", "in", "is", "la", "le", "li", "ma", "me",
    "mi", "mo", "ne", "no", "on", "or", "ou", "pa", "pe", "po", "pr", "ra", "re", "ri",
    "ro", "sa", "se", "si", "st", "ta", "te", "th", "ti", "to", "tr", "un", "ur", "ve"};

const char* Word(Prng& rng) {
  return kWords[rng.Range(0, int(kWords.size()) - 1)];
}

std::string Sentence(Prng& rng) {
  std::string s;
  const int words = rng.Range(5, 18);
  for (int i = 0; i < words; ++i) {
    std::string w = Word(rng);
    if (i == 0 && w[0] >= 'a' && w[0] <= 'z')
      w[0] = static_cast<char>(w[0] - 'a' + 'A');
    if (i)
      s += ' ';
    s += w;
  }
  return s + (rng.Range(0, 5) == 0 ? " !" : ".");
}

// Lines of about 70 characters, blank lines between paragraphs.
std::string Prose(Prng& rng, size_t size, const std::string& lineEnd) {
  std::string out, line;
  while (out.size() < size) {
    if (!line.empty())
      line += ' ';
    line += Sentence(rng);
    if (line.size() < 60)
      continue;
    out += line + lineEnd;
    line.clear();
    if (rng.Range(0, 4) == 0)
      out += lineEnd;
  }
  out.resize(size);
  return out;
}

std::string PseudoWord(Prng& rng, char initial) {
  std::string w(1, initial);
  const int syllables = rng.Range(1, 4);
  for (int i = 0; i < syllables; ++i)
    w += kSyllables[rng.Range(0, int(kSyllables.size()) - 1)];
  return w;
}

} // namespace

std::string ProseText(Prng& rng, size_t size) {
  return Prose(rng, size, "\r\n");
}

std::string WordListText(Prng& rng, size_t size) {
  std::string out;
  for (char initial = 'a'; out.size() < size; initial = initial == 'z' ? 'a' : initial + 1) {
    const size_t letterEnd = out.size() + size / 26 + 1;
    while (out.size() < letterEnd)
      out += PseudoWord(rng, initial) + "\r\n";
  }
  out.resize(size);
  return out;
}

std::string HyphenationText(Prng& rng, size_t size) {
  std::string out = "% Motifs de coupe de mots\r\n";
  while (out.size() < size) {
    std::string pattern = rng.Range(0, 3) == 0 ? "." : "";
    const int letters = rng.Range(2, 5);
    for (int i = 0; i < letters; ++i) {
      pattern += static_cast<char>('a' + rng.Range(0, 25));
      if (rng.Range(0, 2) == 0)
        pattern += static_cast<char>('1' + rng.Range(0, 4));
    }
    out += pattern + "\r\n";
  }
  out.resize(size);
  return out;
}

std::string MarkupText(Prng& rng, size_t size, const std::string& title) {
  std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}\r\n"
                    "{\\info{\\title " +
                    title + "}}\r\n";
  while (out.size() < size) {
    out += "\\pard\\f" + std::to_string(rng.Range(0, 1)) + "\\fs" +
           std::to_string(2 * rng.Range(9, 14)) + " " +
           Prose(rng, rng.Range(80, 400), "\\par\r\n") + "\\par\r\n";
  }
  out.resize(size - 1);
  return out + "}";
}

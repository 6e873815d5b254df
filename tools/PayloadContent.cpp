// Chooses the generator of each payload item and holds the two fixed texts:
// the licence and the placeholder that stands for the word processor.
#include "tools/PayloadContent.h"

#include "tools/PayloadBinary.h"
#include "tools/PayloadText.h"

namespace {

const char* const kLicence[] = {
    "CONTRAT DE LICENCE D'UTILISATEUR FINAL",
    "Traitement de texte Brevanto (Version Light)",
    "",
    "Veuillez lire attentivement le présent contrat avant d'installer le logiciel.",
    "En installant, en copiant ou en utilisant le logiciel, vous acceptez d'être lié",
    "par les termes du présent contrat. Si vous n'acceptez pas ces termes, n'installez",
    "pas le logiciel.",
    "",
    "1. Objet",
    "Le présent contrat vous concède, à titre personnel et non exclusif, le droit",
    "d'installer et d'utiliser le logiciel Brevanto (Version Light) sur un ou plusieurs",
    "ordinateurs, ainsi que sur un support amovible, pour votre usage privé ou",
    "professionnel.",
    "",
    "2. Gratuité",
    "La Version Light est fournie gratuitement. Vous pouvez en faire des copies et les",
    "distribuer, à condition de ne demander aucune contrepartie et de distribuer le",
    "programme d'installation complet et inchangé, y compris le présent contrat.",
    "",
    "3. Restrictions",
    "Il est interdit de modifier, de décompiler ou de désassembler le logiciel, sauf",
    "dans les limites expressément autorisées par la loi applicable. Les modèles de",
    "document et les collections d'inserts peuvent être librement adaptés.",
    "",
    "4. Propriété intellectuelle",
    "Le logiciel, les dictionnaires, les modèles et les images qui l'accompagnent",
    "restent la propriété de leurs auteurs. Le présent contrat ne vous transfère aucun",
    "droit de propriété.",
    "",
    "5. Absence de garantie",
    "Le logiciel est fourni « en l'état », sans garantie d'aucune sorte, expresse ou",
    "implicite, y compris, sans que cette liste soit limitative, les garanties de",
    "qualité marchande et d'adéquation à un usage particulier. Vous assumez l'entière",
    "responsabilité du choix du logiciel et des résultats obtenus.",
    "",
    "6. Limitation de responsabilité",
    "En aucun cas les auteurs ne pourront être tenus responsables d'un dommage",
    "quelconque, direct ou indirect, notamment d'une perte de données, de bénéfices",
    "ou d'exploitation, résultant de l'utilisation ou de l'impossibilité d'utiliser",
    "le logiciel, même s'ils ont été informés de la possibilité d'un tel dommage.",
    "",
    "7. Durée",
    "Le présent contrat prend effet à l'installation du logiciel et reste en vigueur",
    "jusqu'à sa résiliation. Vous pouvez le résilier à tout moment en supprimant le",
    "logiciel et toutes ses copies.",
    "",
    "8. Droit applicable",
    "Le présent contrat est régi par le droit français. Tout litige relatif à son",
    "interprétation ou à son exécution relève des tribunaux compétents.",
};

const char* const kPlaceholder =
    "PLACEHOLDER - NOT A PROGRAM\r\n"
    "\r\n"
    "This file stands in for kre.exe, the Brevanto word processor, in the sample\r\n"
    "payload of the setup program. It lets the archive, the catalogue and the\r\n"
    "extraction be built and tested; it cannot be run.\r\n";

std::string TitleOf(const std::string& name) {
  const size_t slash = name.rfind('\\');
  const size_t dot = name.rfind('.');
  const size_t begin = slash == std::string::npos ? 0 : slash + 1;
  return name.substr(begin,
                     dot == std::string::npos || dot < begin ? std::string::npos : dot - begin);
}

} // namespace

std::string LicenceText() {
  std::string text;
  for (const char* line : kLicence)
    text += std::string(line) + "\r\n";
  return text;
}

std::string PlaceholderProgram() {
  return kPlaceholder;
}

std::string GenerateContent(const PayloadItem& item) {
  Prng rng("content:" + item.name);
  const size_t size = static_cast<size_t>(item.size);
  switch (item.kind) {
  case PayloadKind::Program:
    return kPlaceholder;
  case PayloadKind::Licence:
    return LicenceText();
  case PayloadKind::WordList:
    return WordListText(rng, size);
  case PayloadKind::Dictionary:
    return DictionaryBytes(rng, size);
  case PayloadKind::Cache:
    return CacheBytes(rng, size);
  case PayloadKind::Empty:
    return "";
  case PayloadKind::Template:
    return MarkupText(rng, size, TitleOf(item.name));
  case PayloadKind::Insert:
    return ProseText(rng, size);
  case PayloadKind::Image:
    return GifBytes(rng, size);
  case PayloadKind::Sound:
    return SoundBytes(rng, size);
  case PayloadKind::Hyphenation:
    return HyphenationText(rng, size);
  }
  return "";
}

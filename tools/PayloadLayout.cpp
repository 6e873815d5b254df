// The current build's 259 entries: 9 top-level files, 29 templates, 216
// inserts (148 of them pictures) and 5 more top-level files.
#include "tools/PayloadLayout.h"

#include "tools/Prng.h"

#include <algorithm>

namespace {

struct Folder {
  const char* name;
  std::vector<const char*> files;
};

struct NumberedFolder {
  const char* name;
  const char* stem; // "Puce" gives "Puce 1.gif", "Puce 2.gif", ...
  int count;
};

const char* const kTemplates = "Modèles de document\\";
const char* const kInserts = "Collections d'inserts\\";
const char* const kImages = "Collections d'inserts\\Images\\";

const std::vector<Folder> kTemplateFolders = {
    {"Divers", {"Carte de visite", "Étiquettes d'adresse", "Invitation", "Liste de courses"}},
    {"Lettres commerciales",
     {"Offre de prix", "Relance de facture", "Confirmation de commande", "Réclamation",
      "Demande de devis", "Lettre de présentation"}},
    {"Lettres officielles",
     {"Demande à l'administration", "Résiliation de contrat", "Lettre recommandée",
      "Changement d'adresse", "Demande de documents"}},
    {"Lettres personnelles", {"Lettre à un ami", "Remerciements", "Condoléances", "Félicitations"}},
    {"Mémos", {"Mémo interne", "Note de service", "Compte rendu de réunion"}},
    {"Tables des matières", {"Table simple", "Table à deux niveaux", "Table avec pointillés"}},
    {"Télécopies",
     {"Télécopie classique", "Télécopie moderne", "Télécopie urgente", "Page de garde"}},
};

const std::vector<Folder> kInsertFolders = {
    {"Diffusion",
     {"Copie à", "Diffusion interne", "Liste de diffusion", "Pour information", "Pour action",
      "Confidentiel"}},
    {"Divers",
     {"Adresse de l'expéditeur", "Date du jour", "Objet", "Pièces jointes", "Références",
      "Post-scriptum", "Signature", "Numéro de page", "Tampon urgent", "Mentions légales"}},
    {"En-têtes & pieds de page",
     {"En-tête simple", "En-tête avec logo", "En-tête société", "En-tête centré",
      "En-tête avec date", "En-tête deux lignes", "Pied de page simple", "Pied de page centré",
      "Pied de page société", "Pied de page daté", "Pied de page privé", "Pied de page numéroté"}},
    {"Salutation finale",
     {"Cordialement", "Bien à vous", "Salutations distinguées", "Sentiments respectueux", "Amitiés",
      "Bises", "Meilleures salutations", "Considération"}},
    {"Salutation initiale",
     {"Madame", "Monsieur", "Madame, Monsieur", "Chère Madame", "Cher Monsieur", "Chers amis",
      "Maître", "Docteur"}},
    {"Symboles",
     {"Copyright", "Marque déposée", "Euro", "Degré", "Paragraphe", "Téléphone", "Ciseaux", "Coche",
      "Croix", "Flèche"}},
    {"Tableaux",
     {"Tableau simple", "Tableau à trois colonnes", "Facture", "Planning hebdomadaire",
      "Emploi du temps", "Budget mensuel", "Liste de prix", "Calendrier"}},
    {"Voeux",
     {"Bonne année", "Joyeux Noël", "Joyeux anniversaire", "Bonnes vacances", "Meilleurs voeux",
      "Prompt rétablissement"}},
};

const std::vector<const char*> kCritters = {"Abeille",  "Chat",       "Chien",    "Coccinelle",
                                            "Escargot", "Grenouille", "Hérisson", "Oiseau",
                                            "Papillon", "Poisson",    "Souris",   "Tortue"};

const std::vector<NumberedFolder> kImageFolders = {
    {"Coeurs", "Coeur", 10},     {"Courrier", "Enveloppe", 8}, {"Courrier", "Timbre", 4},
    {"Feuilles", "Feuille", 10}, {"Fleurs", "Fleur", 14},      {"Flèches", "Flèche", 16},
    {"Lignes", "Ligne", 12},     {"Puces", "Puce", 20},        {"Réveils", "Réveil", 8},
    {"Sourires", "Sourire", 10}, {"Symboles", "Symbole", 10},  {"Téléphones", "Téléphone", 8},
    {"Étoiles", "Étoile", 6},
};

// Days from 30 December 1899 to a civil date and back (Howard Hinnant's
// algorithms, shifted to the archive's epoch).
constexpr int kEpochShift = 25569; // 1 January 1970 as an archive day count

CivilDateTime CivilFromDays(int days, int secondsOfDay) {
  const int z = days - kEpochShift + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int day = doy - (153 * mp + 2) / 5 + 1;
  const int month = mp < 10 ? mp + 3 : mp - 9;
  const int year = yoe + era * 400 + (month <= 2);
  return {year, month, day, secondsOfDay / 3600, secondsOfDay / 60 % 60, secondsOfDay % 60};
}

// A date-time on whole even seconds between 2002 and 2012, fixed by the name.
CivilDateTime DateFor(const std::string& name) {
  constexpr int kFirstDay = 37257; // 1 January 2002
  constexpr int kLastDay = 41274;  // 31 December 2012
  Prng rng("date:" + name);
  return CivilFromDays(rng.Range(kFirstDay, kLastDay), 2 * rng.Range(0, 43199));
}

// The large top-level files absorb the size of whichever program is shipped.
bool IsBalancing(PayloadKind kind) {
  return kind == PayloadKind::WordList || kind == PayloadKind::Dictionary ||
         kind == PayloadKind::Cache || kind == PayloadKind::Sound ||
         kind == PayloadKind::Hyphenation;
}

PayloadItem Item(const std::string& name, PayloadKind kind, int32_t size) {
  return {name, kind, size, DateFor(name)};
}

PayloadItem Sized(const std::string& name, PayloadKind kind, int low, int high) {
  Prng rng("size:" + name);
  return Item(name, kind, rng.Range(low, high));
}

void AddFolders(std::vector<PayloadItem>& items, const std::string& root,
                const std::vector<Folder>& folders, const char* extension, PayloadKind kind,
                int low, int high) {
  for (const Folder& folder : folders) {
    for (const char* file : folder.files)
      items.push_back(Sized(root + folder.name + "\\" + file + extension, kind, low, high));
  }
}

void AddImages(std::vector<PayloadItem>& items) {
  for (const char* critter : kCritters)
    items.push_back(Sized(std::string(kImages) + "Bestioles\\" + critter + ".gif",
                          PayloadKind::Image, 1500, 6000));
  for (const NumberedFolder& folder : kImageFolders) {
    for (int i = 1; i <= folder.count; ++i) {
      const std::string name = std::string(kImages) + folder.name + "\\" + folder.stem + " " +
                               std::to_string(i) + ".gif";
      items.push_back(Sized(name, PayloadKind::Image, 900, 4500));
    }
  }
}

} // namespace

std::vector<PayloadItem> CurrentBuildItems() {
  using K = PayloadKind;
  std::vector<PayloadItem> items = {
      Item("kre.exe", K::Program, 0),
      Item("Licence.txt", K::Licence, 0),
      Item("English (American).asc", K::WordList, 481377),
      Item("English (British).asc", K::WordList, 532109),
      Item("us.zlx", K::Dictionary, 38213),
      Item("uk.zlx", K::Dictionary, 41877),
      {"userdicen.tlx", K::Empty, 0, {2002, 3, 23, 13, 59, 22}},
      Item("English (American).cache", K::Cache, 402588),
      Item("english.zlx", K::Dictionary, 468634),
  };
  AddFolders(items, kTemplates, kTemplateFolders, ".mdl", K::Template, 20000, 50000);
  AddFolders(items, kInserts, kInsertFolders, ".ins", K::Insert, 6000, 30000);
  AddImages(items);
  const std::vector<PayloadItem> last = {
      Item("Basic.asn", K::Sound, 601302),
      Item("French.asc", K::WordList, 616918),
      Item("persodicfr.tlx", K::Empty, 0),
      Item("français.zlx", K::Dictionary, 539770),
      Item("Coupe de mots.dat", K::Hyphenation, 268455),
  };
  items.insert(items.end(), last.begin(), last.end());
  return items;
}

void FitToImageSize(std::vector<PayloadItem>& items, int32_t programBytes, int32_t licenceBytes) {
  int64_t fixed = 0, planned = 0;
  for (PayloadItem& item : items) {
    if (item.kind == PayloadKind::Program)
      item.size = programBytes;
    if (item.kind == PayloadKind::Licence)
      item.size = licenceBytes;
    fixed += 13 + int64_t(item.name.size()) + (IsBalancing(item.kind) ? 0 : item.size);
    planned += IsBalancing(item.kind) ? item.size : 0;
  }
  const int64_t budget = std::max(kCurrentBuildImageBytes - fixed, planned / 4);
  int64_t given = 0;
  PayloadItem* last = nullptr;
  for (PayloadItem& item : items) {
    if (!IsBalancing(item.kind))
      continue;
    item.size =
        static_cast<int32_t>(std::max<int64_t>(item.size * budget / planned, item.size / 4));
    given += item.size;
    last = &item;
  }
  if (last && given < budget)
    last->size += static_cast<int32_t>(budget - given);
}

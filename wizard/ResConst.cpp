// The wizard's French texts.
#include "wizard/ResConst.h"

#include "engine/Components.h"

namespace {

constexpr const char* kProductName = "Traitement de texte Brevanto (Version Light)";
constexpr const char* kVersionSuffix = "";

constexpr const char* kWelcomeFormat =
    "Ce programme va installer %s (version 3.3.1.0%s) sur votre ordinateur.\r\r\r\r\r"
    "Cliquez sur \"Suite\" pour continuer. Cliquez sur \"Annuler\" si vous voulez renoncer à "
    "l'installation.";
constexpr const char* kFinishFormat =
    "%s 3.3.1.0%s a été installé avec succès sur votre ordinateur.\r\r"
    "Cliquez sur Terminer pour quitter ce programme d'installation.";

constexpr const char* kPageTitles[8] = {
    "Merci de faire confiance à Brevanto",     "Accord de Licence",
    "Choix du dossier d'installation",         "Choix des composants à installer",
    "L'installation peut commencer",           "Installation",
    "Types de document à associer à Brevanto", "Installation terminée",
};

// The format with its first "%s" replaced by first and its second by second.
std::string FormatTwo(const std::string& format, const std::string& first,
                      const std::string& second) {
  std::string text = format;
  const std::string* values[2] = {&first, &second};
  size_t from = 0;
  for (const std::string* value : values) {
    const size_t at = text.find("%s", from);
    if (at == std::string::npos)
      break;
    text.replace(at, 2, *value);
    from = at + value->size();
  }
  return text;
}

} // namespace

const char* PageTitle(int page) {
  return page >= 0 && page < 8 ? kPageTitles[page] : "";
}

std::string WelcomeText() {
  return FormatTwo(kWelcomeFormat, kProductName, kVersionSuffix);
}

std::string FinishText() {
  return FormatTwo(kFinishFormat, kProductName, kVersionSuffix);
}

const char* ComponentName(int component) {
  return component >= 0 && component < kComponentCount ? Components[component].Name : "";
}

namespace res {

const char* const LicenseLbl = "Veuillez lire l'Accord de licence ci-dessous :";
const char* const LicenseChkBx = "J'&accepte l'Accord de licence ci-dessus dans son intégralité.";
const char* const DestDirLbl =
    "Veuillez indiquer dans quel &dossier vous voulez installer\rTraitement de texte Brevanto :";
const char* const DestDirLstBxName = "Dossiers";
const char* const DestDirCmbBxName = "Lecteurs";
const char* const SelCompLbl =
    "Désactivez les cases des &composants que vous ne voulez pas installer ou mettre à jour "
    "(l'espace disque requis est affiché sur la droite) :";
const char* const SelCompDiskSpaceReqLbl1 = "Espace disque requis :";
const char* const SelCompDiskSpaceAvailLbl1 = "Espace disque libre :";
const char* const StartLbl =
    "Traitement de texte Brevanto est maintenant prêt à être installé.\r\r"
    "Cliquez sur \"Suite\" pour commencer l'installation. Cliquez sur \"Retour\" pour revoir ou "
    "modifier les options de l'installation.";
const char* const InstallToAllChkBx = "Installer pour &tous les utilisateurs de cet ordinateur";
const char* const InstallingLbl1 = "Installation :";
const char* const AssocLbl = "Veuillez cocher les cases correspondant aux types de document que "
                             "vous voulez associer à Traitement de texte Brevanto :";
const char* const AssocChkBx[4] = {"Documents RTF", "Documents COD cryptés",
                                   "Documents MS Word DOC", "Documents MS Word DOCX"};
const char* const FinishChkBx = "&Lancer Traitement de texte Brevanto tout de suite";

const char* const BackBtn = "< &Retour";
const char* const NextBtn = "&Suite >";
const char* const FinishBtn = "&Terminer";
const char* const CancelBtn = "Annuler";

const char* const LicenceRefusedQuestion =
    "L'installation de ce programme est liée à l'acceptation de l'ensemble des termes\r"
    "du Contrat de Licence du traitement de texte Brevanto.\r"
    "Voulez-vous vraiment annuler l'installation d'Brevanto ?";
const char* const SessionEndReason = "L'installation du traitement de texte Brevanto est en cours.";
const char* const CancelQuestion = "L'installation n'est pas terminée !\r\r"
                                   "Si vous interrompez le programme d'installation maintenant,\r"
                                   "Brevanto ne sera pas correctement installé.\r\r"
                                   "Vous pourrez relancer ce programme plus tard\r"
                                   "afin de terminer l'installation d'Brevanto.\r\r"
                                   "Pour poursuivre l'installation maintenant,\r"
                                   "cliquez sur \"Non\".\r\r"
                                   "Pour interrompre l'installation,\r"
                                   "cliquez sur \"Abandonner\".";
const char* const RunningCopyMessage =
    "Un exemplaire du traitement de texte Brevanto est en cours d'exécution sur votre système.\r"
    "Veuillez fermer tous les exemplaires du traitement de texte Brevanto actuellement ouverts\r"
    "avant de cliquer sur le bouton \"OK\" ci-dessous.";

platform::MessageText UpdateLogErrorMessage(const std::string& path, bool reading,
                                            const std::string& reason) {
  return platform::MessageText(reading ? "Impossible de lire le fichier "
                                       : "Impossible d'enregistrer le "
                                         "fichier ")
      .System(path)
      .Program(" :\r" + reason);
}

const char* const ReasonNotFound = "le fichier ou son dossier est introuvable.";
const char* const ReasonAccessDenied = "l'accès est refusé.";
const char* const ReasonSharingViolation = "le fichier est utilisé par un autre programme.";
const char* const ReasonDiskFull = "le disque est plein.";
const char* const ReasonOther = "une erreur d'entrée/sortie s'est produite.";

} // namespace res

// The wizard window's gallery: shows every page with the real texts and
// sample rows, then the four message dialogs, and stops at each one for a
// screenshot. For each picture it prints "SHOT name" and waits for a line on
// its standard input (run.sh takes the screenshot and answers). Before each
// page's picture it measures the text of every label, check box and button
// on show in the control's own font, in this process where the font is, and
// prints "CLIPPED ..." for a text that does not fit its control.
#include "platform/ui/WizardView.h"

#include "platform/win32/WindowsSupport.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using ui::TControl;

namespace {

// With --measure the gallery only measures its texts and takes no picture.
bool measureOnly = false;

void WaitForShot(const std::string& name) {
  if (measureOnly)
    return;
  std::printf("SHOT %s\n", name.c_str());
  std::fflush(stdout);
  char line[64];
  if (!std::fgets(line, sizeof line, stdin))
    std::exit(1);
}

// The room a check box or radio button leaves its text: the box and the gap
// the button control draws before it.
int CheckRoom(HWND control) {
  const int dpi = GetDeviceCaps(GetDC(control), LOGPIXELSY);
  return MulDiv(13 + 6, dpi, 96);
}

// Prints "CLIPPED" for each visible text control of window whose text, drawn
// as the control draws it, needs more room than its client area.
void ReportClippedTexts(HWND window, const std::string& where) {
  for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(window, child, nullptr, nullptr)) {
    ReportClippedTexts(child, where);
    wchar_t className[32] = {}, text[1024] = {};
    GetClassNameW(child, className, 32);
    const std::wstring cls = className;
    if (!IsWindowVisible(child) || (cls != L"Static" && cls != L"Button") ||
        GetWindowTextW(child, text, 1024) == 0)
      continue;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    RECT client;
    GetClientRect(child, &client);
    UINT flags = DT_CALCRECT | DT_EXPANDTABS;
    int room = client.right;
    if (cls == L"Static") {
      const LONG kind = style & SS_TYPEMASK;
      if (kind != SS_LEFT && kind != SS_RIGHT && kind != SS_CENTER && kind != SS_LEFTNOWORDWRAP)
        continue;
      if (kind != SS_LEFTNOWORDWRAP)
        flags |= DT_WORDBREAK;
      if (style & SS_NOPREFIX)
        flags |= DT_NOPREFIX;
    } else {
      const LONG kind = style & BS_TYPEMASK;
      const bool box = kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX ||
                       kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
      if (box)
        room -= CheckRoom(child);
      else if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON)
        continue;
      flags |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    }
    HDC dc = GetDC(child);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    RECT need = {0, 0, room, 0};
    DrawTextW(dc, text, -1, &need, flags);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    if (need.right > room || need.bottom > client.bottom) {
      char utf8[2048] = {};
      WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
      std::printf("CLIPPED %s: \"%s\" needs %ldx%ld, has %dx%ld\n", where.c_str(), utf8,
                  need.right, need.bottom, room, client.bottom);
    }
  }
}

struct TPageDemo {
  const char* Title;
  TControl Focus;
};

const TPageDemo kPages[] = {
    {"Merci de faire confiance \xE0 Brevanto", TControl::Count},
    {"Accord de Licence", TControl::LicenseMemo},
    {"Choix du dossier d'installation", TControl::DestDirEdt},
    {"Choix des composants \xE0 installer", TControl::SelCompLstBx},
    {"L'installation peut commencer", TControl::NextBtn},
    {"Installation", TControl::Count},
    {"Types de document \xE0 associer \xE0 Brevanto", TControl::AssocChkBx1},
    {"Installation termin\xE9"
     "e",
     TControl::Count},
};

void FillTexts(ui::TView& view) {
  view.SetText(TControl::Form, "Installation du traitement de texte Brevanto (Version Light)");
  view.SetImage(TControl::LogoSmallImage, "LOGOSMALL");
  view.SetImage(TControl::LogoImage, "LOGO");
  view.SetText(TControl::WelcomeLbl,
               "Ce programme va installer Traitement de texte Brevanto (Version Light) (version "
               "3.3.1.0) sur votre ordinateur.\r\r\r\r\rCliquez sur \"Suite\" pour continuer. "
               "Cliquez sur \"Annuler\" si vous voulez renoncer \xE0 l'installation.");
  view.SetText(TControl::LicenseLbl, "Veuillez lire l'Accord de licence ci-dessous :");
  std::vector<std::string> licence = {"ACCORD DE LICENCE", ""};
  for (int i = 1; i <= 30; ++i)
    licence.push_back("Article " + std::to_string(i) +
                      " : le pr\xE9sent accord r\xE9git l'utilisation du logiciel.");
  view.SetLines(TControl::LicenseMemo, licence);
  view.SetText(TControl::LicenseChkBx,
               "J'&accepte l'Accord de licence ci-dessus dans son int\xE9gralit\xE9.");
  view.SetChecked(TControl::LicenseChkBx, true);
  view.SetText(TControl::DestDirLbl, "Veuillez indiquer dans quel &dossier vous voulez "
                                     "installer\rTraitement de texte Brevanto :");
  view.SetText(TControl::DestDirEdt, "C:\\Program Files\\Brevanto");
  view.SetRows(TControl::DestDirLstBx, {{"c:", ui::TPicture::OpenFolder, 3},
                                        {"Program Files", ui::TPicture::OpenFolder, 15},
                                        {"Brevanto", ui::TPicture::OpenFolder, 27},
                                        {"Dictionnaires", ui::TPicture::ClosedFolder, 39},
                                        {"Mod\xE8les", ui::TPicture::ClosedFolder, 39}});
  view.SetSelectedRow(TControl::DestDirLstBx, 2);
  view.SetRows(TControl::DestDirCmbBx, {{"c: [syst\xE8me]", ui::TPicture::FixedDrive},
                                        {"e: [cl\xE9 usb]", ui::TPicture::RemovableDrive}});
  view.SetSelectedRow(TControl::DestDirCmbBx, 0);
  view.SetText(TControl::SelCompLbl,
               "D\xE9sactivez les cases des &composants que vous ne voulez pas installer ou "
               "mettre \xE0 jour (l'espace disque requis est affich\xE9 sur la droite) :");
  view.SetCheckRows(TControl::SelCompLstBx,
                    {{"Traitement de texte Brevanto", "4,21 Mo", 2, true},
                     {"V\xE9rificateur d'orthographe fran\xE7"
                      "aise",
                      "1,05 Mo", 1, false},
                     {"V\xE9rificateur d'orthographe anglaise", "812 Ko", 1, false},
                     {"Module de coupe de mots", "96 Ko", 0, false},
                     {"Mod\xE8les de document", "188 Ko", 1, false},
                     {"Collections d'inserts", "312 Ko", 1, false},
                     {"Module sonore de base", "64 Ko", 1, false}});
  view.SetCurrentRow(TControl::SelCompLstBx, 1);
  view.SetText(TControl::SelCompDiskSpaceReqLbl1, "Espace disque requis :");
  view.SetText(TControl::SelCompDiskSpaceReqLbl2, "6,46 Mo");
  view.SetText(TControl::SelCompDiskSpaceAvailLbl1, "Espace disque libre :");
  view.SetText(TControl::SelCompDiskSpaceAvailLbl2, "12,5 Go");
  view.SetText(TControl::StartLbl,
               "Traitement de texte Brevanto est maintenant pr\xEAt \xE0 \xEAtre install\xE9."
               "\r\rCliquez sur \"Suite\" pour commencer l'installation. Cliquez sur \"Retour\" "
               "pour revoir ou modifier les options de l'installation.");
  view.SetText(TControl::InstallToAllChkBx,
               "Installer pour &tous les utilisateurs de cet ordinateur");
  view.SetChecked(TControl::InstallToAllChkBx, true);
  view.SetText(TControl::InstallingLbl1, "Installation :");
  view.SetText(TControl::InstallingLbl2, "V\xE9rificateur d'orthographe fran\xE7"
                                         "aise");
  view.SetProgressRange(TControl::InstallingProgressBar, 1000);
  view.SetProgressPosition(TControl::InstallingProgressBar, 420);
  view.SetText(TControl::AssocLbl,
               "Veuillez cocher les cases correspondant aux types de document que vous voulez "
               "associer \xE0 Traitement de texte Brevanto :");
  view.SetText(TControl::AssocChkBx1, "Documents RTF");
  view.SetText(TControl::AssocChkBx2, "Documents COD crypt\xE9s");
  view.SetText(TControl::AssocChkBx3, "Documents MS Word DOC");
  view.SetText(TControl::AssocChkBx4, "Documents MS Word DOCX");
  view.SetChecked(TControl::AssocChkBx2, true);
  view.SetText(TControl::FinishLbl,
               "Traitement de texte Brevanto (Version Light) 3.3.1.0 a \xE9t\xE9 install\xE9 avec "
               "succ\xE8s sur votre ordinateur.\r\rCliquez sur Terminer pour quitter ce programme "
               "d'installation.");
  view.SetText(TControl::FinishChkBx, "&Lancer Traitement de texte Brevanto tout de suite");
  view.SetChecked(TControl::FinishChkBx, true);
  view.SetText(TControl::BackBtn, "< &Retour");
  view.SetText(TControl::CancelBtn, "Annuler");
}

void ShowPage(ui::TView& view, int page) {
  view.SetVisible(TControl::BackBtn, page != 0);
  view.SetEnabled(TControl::BackBtn, page < 5);
  view.SetEnabled(TControl::NextBtn, page != 5);
  view.SetText(TControl::NextBtn, page == 7 ? "&Terminer" : "&Suite >");
  view.SetEnabled(TControl::CancelBtn, page != 7);
  view.SetText(TControl::TopLbl, kPages[page].Title);
  view.ShowPage(page);
  if (kPages[page].Focus != TControl::Count)
    view.SetFocus(kPages[page].Focus);
}

const ui::TDialogSpec kDialogs[] = {
    {"Information",
     ui::TDialogIcon::Asterisk,
     "Traitement de texte Brevanto est en cours d'ex\xE9"
     "cution.\rVeuillez le fermer avant "
     "de continuer.",
     {{"OK", 1}},
     0,
     0,
     2},
    {"Information",
     ui::TDialogIcon::Asterisk,
     "L'installation de ce programme est li\xE9"
     "e \xE0 l'acceptation de l'ensemble des "
     "termes\rdu Contrat de Licence du traitement de texte Brevanto.\rVoulez-vous vraiment "
     "annuler l'installation d'Brevanto ?",
     {{"&Oui", 6}, {"&Non", 7}},
     0,
     1,
     2},
    {"Confirmation",
     ui::TDialogIcon::Question,
     "L'installation n'est pas termin\xE9"
     "e !\r\rSi vous interrompez le programme "
     "d'installation maintenant,\rBrevanto ne sera pas correctement install\xE9.\r\rVous pourrez "
     "relancer ce programme plus tard\rafin de terminer l'installation d'Brevanto.\r\rPour "
     "poursuivre l'installation maintenant,\rcliquez sur \"Non\".\r\rPour interrompre "
     "l'installation,\rcliquez sur \"Abandonner\".",
     {{"&Non", 7}, {"A&bandonner", 3}},
     -1,
     0,
     2},
    {"Erreur",
     ui::TDialogIcon::Hand,
     "Impossible de cr\xE9"
     "er le fichier\rC:\\Program Files\\Brevanto\\Brevanto.exe",
     {{"A&bandonner", 3},
      {"&R\xE9"
       "essayer",
       4},
      {"I&gnorer", 5}},
     1,
     -1,
     2},
};

// Walks the pages and dialogs on the ticks of timer 1: a step shows
// something, the next tick (once it has been painted) takes its picture.
class TGallery : public ui::TViewEvents {
public:
  explicit TGallery(ui::TView& view) : view_(view) {}

  void TimerFired(int id) override {
    if (id != 1)
      return;
    if (dialogUp_) {
      WaitForShot("dialog" + std::to_string(step_ - 8));
      PostMessageA(FindWindowA("TMessageForm", nullptr), WM_CLOSE, 0, 0);
      dialogUp_ = false;
      return;
    }
    if (step_ < 8) {
      if (shown_) {
        ReportClippedTexts(FindWindowA("TMainDlgForm", nullptr), "page" + std::to_string(step_));
        WaitForShot("page" + std::to_string(step_));
        ++step_;
        shown_ = false;
      } else {
        ShowPage(view_, step_);
        shown_ = true;
      }
      return;
    }
    if (step_ < 12) {
      dialogUp_ = true;
      ++step_;
      view_.ShowDialog(kDialogs[step_ - 9]);
      return;
    }
    closed_ = true;
  }
  void ButtonClicked(TControl) override {}
  void CheckRowToggled(TControl, int) override {}
  void ListRowChosen(TControl, int) override {}
  void ApplicationActivated(bool) override {}
  void CloseRequested() override { closed_ = true; }
  bool Closed() const override { return closed_; }

private:
  ui::TView& view_;
  int step_ = 0;
  bool shown_ = false;
  bool dialogUp_ = false;
  bool closed_ = false;
};

} // namespace

int main(int argc, char** argv) {
  measureOnly = argc > 1 && std::string(argv[1]) == "--measure";
  const auto view = ui::CreateWizardView();
  if (!view) {
    std::printf("no window\n");
    return 1;
  }
  FillTexts(*view);
  TGallery gallery(*view);
  view->StartTimer(1, measureOnly ? 50 : 400);
  view->RunModal(gallery);
  return 0;
}

// The message dialog's model: captions and icons per kind, the buttons in
// display order with their captions and results, the Enter and Esc buttons of
// the combinations the setup uses, and the hand-over to the user interface.
#include "wizard/MessageDialog.h"

#include "platform/Constants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "&Réessayer" as cp1252 bytes.
const std::string kRetryCaption = "&R\351essayer";
const std::string kQuestion = "L'installation\r\rn'est pas termin\351e !";

std::vector<std::string> Captions(uint16_t buttons) {
  std::vector<std::string> captions;
  for (const TMsgDlgButton& b : MessageDialogButtons(buttons))
    captions.push_back(b.Caption);
  return captions;
}

TEST(MessageDialogTest, KindsHaveTheirCaptionAndIcon) {
  EXPECT_STREQ(MessageDialogCaption(mkWarning), "Avertissement");
  EXPECT_STREQ(MessageDialogCaption(mkError), "Erreur");
  EXPECT_STREQ(MessageDialogCaption(mkInformation), "Information");
  EXPECT_STREQ(MessageDialogCaption(mkConfirmation), "Confirmation");
  EXPECT_EQ(MessageDialogIcon(mkWarning), TMsgIcon::Exclamation);
  EXPECT_EQ(MessageDialogIcon(mkError), TMsgIcon::Hand);
  EXPECT_EQ(MessageDialogIcon(mkInformation), TMsgIcon::Asterisk);
  EXPECT_EQ(MessageDialogIcon(mkConfirmation), TMsgIcon::Question);
}

TEST(MessageDialogTest, ButtonsComeInDisplayOrderWithTheirCaptionsAndResults) {
  const std::vector<TMsgDlgButton> all = MessageDialogButtons(0x7f);
  const std::vector<std::string> captions = {"&Oui",        "&Non",        "OK",      "Annuler",
                                             "A&bandonner", kRetryCaption, "I&gnorer"};
  const std::vector<int> results = {dlg::kYes,   dlg::kNo,    dlg::kOk,    dlg::kCancel,
                                    dlg::kAbort, dlg::kRetry, dlg::kIgnore};
  ASSERT_EQ(all.size(), 7u);
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i].Bit, 1 << i);
    EXPECT_EQ(all[i].Caption, captions[i]);
    EXPECT_EQ(all[i].Result, results[i]);
    EXPECT_EQ(ButtonResult(all[i].Bit), results[i]);
  }
  // Order follows the table, not the order a caller names the bits in.
  EXPECT_EQ(Captions(mbIgnore | mbAbort | mbRetry),
            (std::vector<std::string>{"A&bandonner", kRetryCaption, "I&gnorer"}));
  EXPECT_TRUE(MessageDialogButtons(0).empty());
  EXPECT_EQ(kCloseBoxResult, dlg::kCancel);
}

struct KeyCase {
  uint16_t buttons;
  TMsgButton enter;
  TMsgButton escape;
};

TEST(MessageDialogTest, EnterAndEscapeButtonsOfTheCombinationsUsed) {
  const TMsgButton none = TMsgButton(0);
  const KeyCase cases[] = {
      {mbOK, mbOK, mbOK},                               // running copy
      {mbYes | mbNo, mbYes, mbNo},                      // licence refusal
      {mbNo | mbAbort, none, mbNo},                     // cancel question
      {mbAbort | mbRetry | mbIgnore, mbRetry, none},    // file cannot be created
      {mbOK | mbCancel | mbYes | mbNo, mbOK, mbCancel}, // precedence
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.buttons);
    EXPECT_EQ(DefaultButton(c.buttons), c.enter);
    EXPECT_EQ(CancelButton(c.buttons), c.escape);
  }
}

TEST(MessageDialogTest, ShowHandsTheDialogToTheInstalledHandler) {
  EXPECT_EQ(ShowMessageDialog("x", mkWarning, mbOK), kNoAnswer);
  std::string seenText;
  uint8_t seenKind = 0;
  uint16_t seenButtons = 0;
  SetMessageDialogHandler([&](const platform::MessageText& text, uint8_t kind, uint16_t buttons) {
    seenText = text.Bytes();
    seenKind = kind;
    seenButtons = buttons;
    return dlg::kNo;
  });
  EXPECT_EQ(ShowMessageDialog(kQuestion, mkConfirmation, mbNo | mbAbort), dlg::kNo);
  SetMessageDialogHandler(nullptr);
  EXPECT_EQ(seenText, kQuestion);
  EXPECT_EQ(seenKind, mkConfirmation);
  EXPECT_EQ(seenButtons, mbNo | mbAbort);
  EXPECT_EQ(ShowMessageDialog("x", mkWarning, mbOK), kNoAnswer);
}

} // namespace

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "carrier/hidden_block.h"
#include "cipher/message_cipher.h"
#include "command_fixture.h"

namespace veyla::app::testing {
namespace {

using ::testing::ElementsAre;

// --- Refusals: each leaves the state and the file as they were. ---

TEST_F(CommandTest, HideAndReadRefuseBeforeAPictureIsChosen) {
  window_.boxes[EditBox::Message] = Stored("你好");
  window_.boxes[EditBox::FileName] = PictureName();  // typed, but never taken up
  window_.boxes[EditBox::RevealedMessage] = Stored("旧的");

  HideMessage(state_, window_);
  EXPECT_EQ(window_.caption, Stored(status::kChoosePictureFirst));
  EXPECT_TRUE(state_.lastCipherBytes.empty());
  EXPECT_EQ(state_.hidePassword, "");

  ReadMessage(state_, window_);
  EXPECT_EQ(window_.caption, Stored(status::kChoosePictureFirst));
  EXPECT_EQ(window_.boxes[EditBox::RevealedMessage], "");
  EXPECT_EQ(ReadBytes(picture_), original_);
}

TEST_F(CommandTest, EmptyMessageIsRefusedAndKeepsTheLastHide) {
  Choose(picture_);
  Hide("第一条", "pw");
  const ProgramState afterFirst = state_;
  const ByteString fileAfterFirst = ReadBytes(picture_);

  Hide("", "另一个密码");
  EXPECT_EQ(window_.caption, Stored(status::kNoMessage));
  EXPECT_EQ(state_.hidePassword, afterFirst.hidePassword);
  EXPECT_EQ(state_.passwordFlag, afterFirst.passwordFlag);
  EXPECT_EQ(state_.lastCipherBytes, afterFirst.lastCipherBytes);
  EXPECT_EQ(ReadBytes(picture_), fileAfterFirst);
}

TEST_F(CommandTest, ReadRefusesWhenTheFileNameWasEmptiedAfterChoosing) {
  Choose(picture_);
  window_.boxes[EditBox::FileName] = "";
  window_.boxes[EditBox::RevealedMessage] = Stored("旧的");
  EXPECT_EQ(Read(""), "");
  EXPECT_EQ(window_.caption, Stored(status::kChoosePictureFirst));
}

// --- Choosing a picture. ---

TEST_F(CommandTest, CancelledDialogWithEmptyNameChangesNothing) {
  window_.dialogAnswers.push_back(std::nullopt);
  SelectPicture(state_, window_);
  EXPECT_EQ(window_.dialogsOpened, 1);
  EXPECT_EQ(state_.pictureChosen, 0);
  EXPECT_TRUE(window_.pictures.empty());
  EXPECT_EQ(window_.captionsSet, 0);
}

TEST_F(CommandTest, CancelledDialogChecksTheTypedName) {
  Choose(picture_);
  Hide("hi", "");
  const auto other = dir_ / "typed.jpg";
  WriteBytes(other, original_);
  window_.boxes[EditBox::FileName] = Stored(other.string());

  window_.dialogAnswers.push_back(std::nullopt);
  SelectPicture(state_, window_);
  EXPECT_EQ(window_.boxes[EditBox::FileName], Stored(other.string()));
  EXPECT_EQ(window_.pictures.back(), other);
  EXPECT_EQ(window_.caption, Stored(status::kOrdinaryPicture));
}

TEST_F(CommandTest, ChoosingTellsOrdinaryPicturesFromCarriers) {
  struct Case {
    const char* what;
    ByteString bytes;
    std::string_view caption;
  };
  const ByteString trailerOnly{0, 0, 0, 0, 0, 0, 0, 0, '1', '9', '7', '3'};
  ByteString markerNotLast = trailerOnly;
  markerNotLast.push_back(0);
  const Case cases[] = {
      {"plain picture", original_, status::kOrdinaryPicture},
      {"empty file", {}, status::kOrdinaryPicture},
      {"eleven bytes ending in the marker", ByteString(trailerOnly.begin() + 1, trailerOnly.end()),
       status::kOrdinaryPicture},
      {"a bare trailer", trailerOnly, status::kCarrierChosen},
      {"marker not last", markerNotLast, status::kOrdinaryPicture},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(picture_, c.bytes);
    Choose(picture_);
    EXPECT_EQ(window_.caption, Stored(c.caption));
    EXPECT_EQ(state_.pictureChosen, 1);
    EXPECT_EQ(window_.boxes[EditBox::FileName], PictureName());
    EXPECT_EQ(window_.pictures.back(), picture_);
    EXPECT_EQ(state_.readBuffer.size(), c.bytes.size() < 12 ? 0u : 12u);
  }
}

TEST_F(CommandTest, AMissingFileIsTakenUpAsAnOrdinaryPicture) {
  Choose(dir_ / "gone.jpg");
  EXPECT_EQ(state_.pictureChosen, 1);
  EXPECT_EQ(window_.caption, Stored(status::kOrdinaryPicture));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "gone.jpg"));
}

// --- Hiding and reading. ---

TEST_F(CommandTest, HideAppendsExactlyOneBlockAndReadsBack) {
  struct Case {
    const char* what;
    std::string_view message;
    std::string_view password;
    std::int32_t flag;
  };
  const Case cases[] = {
      {"with a password", "今晚八点老地方见 😊", "秘密", 1},
      {"without a password", "hello", "", 0},
      {"two lines", "第一行\r\n第二行", "pw", 1},
      {"blanks are a message and a password", "   ", " ", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(picture_, original_);
    Choose(picture_);
    Hide(c.message, c.password);

    EXPECT_EQ(window_.caption, Stored(status::kHidden));
    EXPECT_EQ(state_.passwordFlag, c.flag);
    EXPECT_EQ(state_.hidePassword, c.flag == 1 ? Stored(c.password) : Text("kvb"));
    EXPECT_EQ(state_.lastCipherBytes,
              cipher::EncryptData(BytesFromText(Stored(c.message)), state_.hidePassword));
    EXPECT_EQ(state_.cipherLength, static_cast<std::int32_t>(state_.lastCipherBytes.size()));

    ByteString expected = original_;
    const ByteString block = carrier::EncodeBlock(state_.lastCipherBytes, c.flag);
    expected.insert(expected.end(), block.begin(), block.end());
    EXPECT_EQ(ReadBytes(picture_), expected);

    Choose(picture_);
    EXPECT_EQ(window_.caption, Stored(status::kCarrierChosen));
    EXPECT_EQ(Read(c.password), Stored(c.message));
    EXPECT_EQ(window_.caption, Stored(status::kCarrierChosen));
    EXPECT_EQ(state_.readPassword, state_.hidePassword);
  }
}

TEST_F(CommandTest, SecondHideWinsAndSuccessTextStaysUntilTheNextCheck) {
  Choose(picture_);
  Hide("first", "one");
  Hide("second", "");
  EXPECT_EQ(window_.caption, Stored(status::kHidden));
  EXPECT_EQ(Read("one"), "second");  // flag 0: the default password, whatever is typed
  EXPECT_EQ(state_.passwordFlag, 0);
  EXPECT_EQ(state_.readBuffer, state_.lastCipherBytes);
}

TEST_F(CommandTest, ReadPasswordRules) {
  Choose(picture_);
  Hide("locked", "right");

  window_.boxes[EditBox::RevealedMessage] = Stored("旧的");
  EXPECT_EQ(Read(""), "");
  EXPECT_EQ(window_.caption, Stored(status::kPasswordNeeded));
  EXPECT_EQ(state_.passwordFlag, 1);

  EXPECT_EQ(Read("wrong"), "");  // a wrong password is not reported as such
  EXPECT_EQ(window_.caption, Stored(status::kCarrierChosen));

  EXPECT_EQ(Read("right"), "locked");
}

TEST_F(CommandTest, OddFlagUsesTheTypedTextEvenWhenEmpty) {
  WriteCarrier(picture_, cipher::EncryptData(BytesFromText("flag two"), ""), 2);

  Choose(picture_);
  EXPECT_EQ(Read(""), "flag two");
  EXPECT_EQ(state_.passwordFlag, 2);
  EXPECT_EQ(state_.readPassword, "");
}

TEST_F(CommandTest, RevealedTextEndsAtTheFirstZeroByte) {
  WriteCarrier(picture_, cipher::EncryptData(ByteString{'a', 'b', 0, 'c'}, "kvb"), 0);
  Choose(picture_);
  EXPECT_EQ(Read(""), "ab");
}

TEST_F(CommandTest, OrdinaryPictureReadsAsNothingHidden) {
  Choose(picture_);
  window_.boxes[EditBox::RevealedMessage] = Stored("旧的");
  EXPECT_EQ(Read("x"), "");
  EXPECT_EQ(window_.caption, Stored(status::kNothingHidden));
}

// --- The hidden buttons. ---

TEST_F(CommandTest, DecryptLastBlockShowsTheLastHideUnderTheDefaultPassword) {
  window_.boxes[EditBox::RevealedMessage] = Stored("旧的");
  DecryptLastBlock(state_, window_);
  EXPECT_EQ(window_.boxes[EditBox::RevealedMessage], "");  // nothing hidden yet

  Choose(picture_);
  Hide("无密码", "");
  DecryptLastBlock(state_, window_);
  EXPECT_EQ(window_.boxes[EditBox::RevealedMessage], Stored("无密码"));

  // A read of another file changes the flag and length but not what this button shows.
  const auto other = dir_ / "other.jpg";
  WriteCarrier(other, cipher::EncryptData(BytesFromText(Stored("别的")), "x"), 1);
  Choose(other);
  EXPECT_EQ(Read("x"), Stored("别的"));
  DecryptLastBlock(state_, window_);
  EXPECT_EQ(window_.boxes[EditBox::RevealedMessage], Stored("无密码"));

  Choose(picture_);
  Hide("有密码", "secret");
  DecryptLastBlock(state_, window_);
  EXPECT_EQ(window_.boxes[EditBox::RevealedMessage], "");
}

TEST_F(CommandTest, LoadTestPictureTouchesOnlyThePictureBox) {
  LoadTestPicture(state_, window_);
  EXPECT_THAT(window_.pictures, ElementsAre(std::filesystem::path("d:\\8g.jpg")));
  EXPECT_EQ(state_.pictureChosen, 0);
  EXPECT_EQ(window_.captionsSet, 0);
  HideMessage(state_, window_);
  EXPECT_EQ(window_.caption, Stored(status::kChoosePictureFirst));
}

// --- Start and end of a run. ---

TEST_F(CommandTest, ReleaseGlobalsEmptiesTheTextsAndByteStringsOnly) {
  Choose(picture_);
  Hide("msg", "");
  Read("");
  OnMainWindowCreated(state_);  // sets pictureChosen back to 0 and nothing else
  EXPECT_EQ(state_.pictureChosen, 0);
  ASSERT_FALSE(state_.lastCipherBytes.empty());
  const std::int32_t flag = state_.passwordFlag;
  const std::int32_t length = state_.cipherLength;

  ReleaseGlobals(state_);
  EXPECT_EQ(state_.hidePassword, "");
  EXPECT_TRUE(state_.lastCipherBytes.empty());
  EXPECT_TRUE(state_.readBuffer.empty());
  EXPECT_EQ(state_.readPassword, "");
  EXPECT_EQ(state_.passwordFlag, flag);
  EXPECT_EQ(state_.cipherLength, length);
}

}  // namespace
}  // namespace veyla::app::testing

// The construction pass: identifiers, rectangles, styles, fonts, order, restored answers, content size.
#include <gtest/gtest.h>

#include <algorithm>

#include "media/media_host.h"
#include "platform/portable/memory_resources.h"
#include "platform/ports/media_player.h"
#include "ui_fixture.h"

namespace fenok::testing {
namespace {

std::vector<Question> questions(int count) {
  std::vector<Question> list;
  for (int i = 1; i <= count; ++i) {
    list.push_back(Question{"REP" + std::to_string(i), "DEUX" + std::to_string(i), "Question " + std::to_string(i),
                            "Comment " + std::to_string(i)});
  }
  return list;
}

std::vector<int> creationOrder(const MemoryControls& panel) {
  std::vector<int> ids;
  for (const MemoryControl& control : panel.controls()) ids.push_back(control.id);
  return ids;
}

TEST(QuizPanelBuild, PictureWorkedExample) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, questions(4));
  addPicture(f.pictures, 401, 200, 230);
  addPicture(f.pictures, 402, 180);
  addPicture(f.pictures, 403, 240);
  f.build();

  for (int id : {4001, 4002, 4003}) EXPECT_EQ(f.panel.rect(id).y, 255) << id;
  for (int id : {5001, 5002, 5003}) EXPECT_EQ(f.panel.rect(id).y, 274) << id;
  EXPECT_EQ(f.panel.rect(4001), (Rect{46, 255, 260, 20}));
  EXPECT_EQ(f.panel.rect(4002), (Rect{336, 255, 260, 20}));
  EXPECT_EQ(f.panel.rect(4003), (Rect{626, 255, 260, 20}));
  EXPECT_EQ(f.panel.rect(5001), (Rect{46, 274, 260, 20}));
  EXPECT_EQ(f.panel.rect(2001), (Rect{18, 257, 27, 17}));
  // Pictures centred in their 260 x R cell.
  EXPECT_EQ(f.panel.rect(9901), (Rect{46 + 15, 5 + 20, 230, 200}));
  EXPECT_EQ(f.panel.rect(9902), (Rect{336, 5 + 30, 260, 180}));
  EXPECT_EQ(f.panel.rect(9903), (Rect{626, 5, 260, 240}));
  EXPECT_EQ(f.quiz->rowHeights[0], 240);
  // Question 4 starts the second row at 315; its pictures are missing, so R = 0.
  EXPECT_EQ(f.panel.rect(4004), (Rect{46, 325, 260, 20}));
  EXPECT_EQ(f.panel.rect(9904), (Rect{46, 315, 260, 0}));
  EXPECT_EQ(f.quiz->rowHeights[1], 0);
  EXPECT_EQ(f.quiz->contentHeight, 385);
  EXPECT_EQ(f.quiz->contentWidth, 910);

  std::vector<int> requested;
  for (const PictureRequest& r : f.pictures.requests()) {
    requested.push_back(r.id);
    EXPECT_EQ(r.type, "IMG");
    EXPECT_EQ(r.targetWidth, 260);
    EXPECT_EQ(r.targetHeight, 260);
  }
  EXPECT_EQ(requested, (std::vector<int>{401, 402, 403, 404, 405, 406}));
  EXPECT_EQ(f.pictures.resourceOf(f.panel.image(9902)), 402);
  EXPECT_EQ(f.panel.image(9904), nullptr);
}

TEST(QuizPanelBuild, FirstRowSetsContentHeight315) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, questions(3));
  addPicture(f.pictures, 401, 200);
  addPicture(f.pictures, 402, 180);
  addPicture(f.pictures, 403, 240);
  f.build();
  EXPECT_EQ(f.quiz->contentHeight, 315);
  EXPECT_EQ(f.quiz->contentWidth, 910);
}

TEST(QuizPanelBuild, PictureQuestionStylesFontsAndOrder) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, questions(1), kCommentText);
  addPicture(f.pictures, 401, 100);
  f.build();
  EXPECT_EQ(creationOrder(f.panel), (std::vector<int>{9901, 2001, 8001, 4001, 5001}));
  const MemoryControl* box = f.panel.find(4001);
  EXPECT_EQ(box->className, "Edit");
  EXPECT_EQ(box->style, 0x50810081u);
  EXPECT_EQ(box->font, f.quiz->panelFont);
  EXPECT_EQ(box->textLimit, 40);
  EXPECT_TRUE(box->answerBoxProcedure);
  EXPECT_EQ(f.panel.find(5001)->style, 0x50800201u);
  EXPECT_EQ(f.panel.find(5001)->text, "?");
  EXPECT_EQ(f.panel.find(5001)->font, nullptr);
  EXPECT_EQ(f.panel.find(2001)->style, 0x50000002u);
  EXPECT_EQ(f.panel.find(2001)->text, "1.");
  EXPECT_EQ(f.panel.find(9901)->style, 0x5080020Eu);
  const MemoryControl* comment = f.panel.find(8001);
  EXPECT_EQ(comment->style, 0x50000001u);
  EXPECT_EQ(comment->rect, (Rect{46, 5 + 110 + 46, 260, 65}));
  EXPECT_EQ(comment->text, "Comment 1");
  EXPECT_FALSE(comment->visible);
  EXPECT_EQ(comment->font, f.graphics.stockGuiFont());
  EXPECT_TRUE(comment->fontRedraw);
  // Rows of a commented quiz are 140 apart below the answer top.
  EXPECT_EQ(f.quiz->contentHeight, 115 + 140);
  const FontDescription font = f.graphics.fontOf(f.quiz->panelFont);
  EXPECT_EQ(font.height, 15);
  EXPECT_EQ(font.weight, 100);
  EXPECT_EQ(f.panel.focusedId(), 5001);
}

TEST(QuizPanelBuild, TextQuizRows) {
  UiFixture f;
  f.makeQuiz(kMediaText, 1, questions(2));
  f.build();
  EXPECT_EQ(creationOrder(f.panel), (std::vector<int>{2000, 3000, 4001, 5001, 2000, 3000, 4002, 5002}));
  const auto& all = f.panel.controls();
  EXPECT_EQ(all[0].rect, (Rect{26, 7, 19, 17}));
  EXPECT_EQ(all[1].rect, (Rect{50, 5, 550, 20}));
  EXPECT_EQ(all[1].text, "Question 1");
  EXPECT_EQ(all[5].text, "Question 2");
  EXPECT_EQ(all[4].text, "2.");
  EXPECT_EQ(all[5].rect, (Rect{50, 30, 550, 20}));
  // Every question text gets the panel font, not only the first of the shared identifier.
  EXPECT_EQ(all[1].font, f.quiz->panelFont);
  EXPECT_EQ(all[5].font, f.quiz->panelFont);
  EXPECT_EQ(f.panel.rect(4002), (Rect{610, 30, 170, 20}));
  EXPECT_EQ(f.panel.rect(5002), (Rect{790, 30, 100, 20}));
  EXPECT_EQ(f.panel.find(4001)->style, 0x50810281u);
  EXPECT_EQ(f.panel.find(4001)->textLimit, kDefaultEditLimit);
  EXPECT_EQ(f.quiz->contentHeight, 55);
  EXPECT_EQ(f.quiz->contentWidth, 900);
  // A text-quiz box accepts more than 40 characters; a grid box would not.
  f.panel.type(4001, std::string(50, 'a'));
  EXPECT_EQ(f.panel.text(4001, 260).size(), 50u);
}

TEST(QuizPanelBuild, TwoAnswersIdsCaptionsAndGeometry) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 2, questions(4));
  copyField(f.quiz->firstAnswerLabel, kTextField, "Titre");
  copyField(f.quiz->secondAnswerLabel, kTextField, "Auteur");
  addPicture(f.pictures, 401, 100);
  f.build();
  for (int id = 4001; id <= 4008; ++id) EXPECT_TRUE(f.panel.exists(id)) << id;
  for (int id = 5001; id <= 5008; ++id) EXPECT_TRUE(f.panel.exists(id)) << id;
  EXPECT_FALSE(f.panel.exists(4009));
  // Question 2: cell left 396, answer top 115.
  EXPECT_EQ(f.panel.rect(4003), (Rect{396, 115, 201, 20}));
  EXPECT_EQ(f.panel.rect(4004), (Rect{396, 134, 201, 20}));
  EXPECT_EQ(f.panel.rect(5003), (Rect{596, 115, 60, 20}));
  EXPECT_EQ(f.panel.rect(5004), (Rect{596, 134, 60, 20}));
  EXPECT_EQ(f.panel.find(5003)->font, f.graphics.stockGuiFont());
  EXPECT_EQ(f.panel.countWithId(156), 4);  // two per grid row
  std::vector<const MemoryControl*> captions;
  for (const MemoryControl& c : f.panel.controls()) {
    if (c.id == 156) captions.push_back(&c);
  }
  EXPECT_EQ(captions[0]->text, "Titre");
  EXPECT_EQ(captions[0]->rect, (Rect{4, 117, 95, 20}));
  EXPECT_EQ(captions[1]->text, "Auteur");
  EXPECT_EQ(captions[1]->rect, (Rect{3, 137, 95, 20}));
  for (const MemoryControl* caption : captions) EXPECT_EQ(caption->font, f.graphics.stockGuiFont());
  EXPECT_EQ(f.quiz->contentWidth, 970);
}

TEST(QuizPanelBuild, AudioAndVideoGeometry) {
  UiFixture audio;
  audio.makeQuiz(kMediaAudio, 1, questions(2));
  audio.build();
  EXPECT_EQ(audio.panel.rect(9901), (Rect{46, 5, 0, 0}));
  EXPECT_EQ(audio.panel.find(9901)->style, 0x50800000u);
  EXPECT_EQ(audio.panel.rect(4001), (Rect{66, 5, 240, 20}));
  EXPECT_EQ(audio.panel.rect(5001), (Rect{66, 24, 240, 20}));
  EXPECT_EQ(audio.panel.rect(6001), (Rect{46, 5, 20, 20}));
  EXPECT_EQ(audio.panel.rect(7001), (Rect{46, 25, 20, 19}));
  EXPECT_EQ(audio.panel.find(6001)->style, 0x50010041u);
  EXPECT_EQ(audio.panel.image(6001), audio.graphics.loadIcon(1004));
  EXPECT_EQ(audio.panel.image(7001), audio.graphics.loadIcon(1005));
  EXPECT_EQ(audio.panel.find(6001)->imageType, ImageType::icon);
  EXPECT_EQ(audio.quiz->contentHeight, 65);

  UiFixture video;
  video.makeQuiz(kMediaVideo, 1, questions(1));
  video.build();
  EXPECT_EQ(video.panel.rect(9901), (Rect{46, 5, 260, 200}));
  EXPECT_EQ(video.panel.rect(4001), (Rect{66, 215, 240, 20}));
  EXPECT_EQ(video.quiz->contentHeight, 275);
}

TEST(QuizPanelBuild, NoQuestions) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 2, {});
  f.build();
  EXPECT_TRUE(f.panel.controls().empty());
  EXPECT_EQ(f.quiz->contentWidth, 80);
  EXPECT_EQ(f.quiz->contentHeight, 0);
  const auto& calls = f.panel.calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "setScrollRange v -2 -1 redraw"), calls.end());
}

TEST(QuizPanelBuild, RestoredAnswersAreJudgedAndScored) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, questions(3));
  f.setSavedAnswers("rep1\r\n\r\nREP2\r\n");
  f.build();
  EXPECT_EQ(f.panel.text(4001, 260), "rep1");
  EXPECT_EQ(f.panel.text(4002, 260), "");
  EXPECT_EQ(f.panel.text(4003, 260), "REP2");
  EXPECT_EQ(f.verdict(4001), "BRAVO");
  EXPECT_EQ(f.verdict(4002), "?");
  EXPECT_NE(f.verdict(4003), "BRAVO");
  EXPECT_EQ(f.counter(), " 1 / 3");
  EXPECT_EQ(f.codeBox(), "CODE1");
  EXPECT_EQ(f.quiz->firstAnswer->solved, 1);
}

TEST(QuizPanelBuild, LongSavedLineRestoresFortyCharacters) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, questions(2));
  f.setSavedAnswers(std::string(45, 'x') + "\r\n" + std::string(40, 'y') + "\r\n");
  f.build();
  EXPECT_EQ(f.panel.text(4001, 260), std::string(40, 'x'));
  EXPECT_EQ(f.panel.text(4002, 260), std::string(40, 'y'));
}

class FailingPlayers : public MediaPlayers {
 public:
  explicit FailingPlayers(int failing) : failing_(failing) {}
  void start() override {}
  void stop() override {}
  bool create(int question, Controls&, int) override { return question != failing_; }
  void setUrl(int, const std::string&) override {}
  void play(int) override {}
  void pause(int) override {}
  void stopPlaying(int) override {}

 private:
  int failing_;
};

TEST(QuizPanelBuild, FailedPlayerStopsThePassAndSaysWhy) {
  UiFixture f;
  FailingPlayers players(2);
  MemoryResources resources;
  f.makeQuiz(kMediaVideo, 1, questions(3));
  MediaHost host(MediaPorts{resources, f.files, f.messages, players}, *f.quiz);
  f.panelState.media = &host;
  f.build();
  EXPECT_TRUE(f.panel.exists(4001));
  EXPECT_TRUE(f.panel.exists(9902));
  EXPECT_FALSE(f.panel.exists(4002));
  EXPECT_FALSE(f.panel.exists(9903));
  ASSERT_EQ(f.messages.messages().size(), 1u);
  EXPECT_EQ(f.messages.messages()[0].text, "Impossible de cr\xE9" "er le lecteur de la question 2.");
  EXPECT_EQ(f.messages.messages()[0].caption, "Fenok");
  const auto& calls = f.panel.calls();
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                          [](const std::string& c) { return c.rfind("setScrollRange", 0) == 0; }),
            0);
}

TEST(QuizPanelBuild, UnusedPicturesOfAnIncompleteRowAreReleased) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, questions(1));
  addPicture(f.pictures, 401, 100);
  addPicture(f.pictures, 402, 100);  // a resource no question shows
  f.build();
  int deleted = 0;
  for (const GraphicsCall& call : f.graphics.calls()) {
    if (call.kind == GraphicsCallKind::deleteObject && f.pictures.resourceOf(call.handle) == 402) ++deleted;
  }
  EXPECT_EQ(deleted, 1);
}

TEST(QuizPanelBuild, RestoredRightAnswerKeepsTheSolutionPicture) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, questions(1), kCommentSolutionPicture);
  addPicture(f.pictures, 401, 100);
  addPicture(f.pictures, 10401, 120);
  f.setSavedAnswers("rep1\r\n");
  f.build();
  EXPECT_EQ(f.pictures.resourceOf(f.panel.image(9901)), 10401);
  // The question's own picture, never shown, is given back rather than lost.
  bool released = false;
  for (const GraphicsCall& call : f.graphics.calls()) {
    if (call.kind == GraphicsCallKind::deleteObject && f.pictures.resourceOf(call.handle) == 401) released = true;
  }
  EXPECT_TRUE(released);
}

}  // namespace
}  // namespace fenok::testing

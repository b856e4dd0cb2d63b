// Fuzz target: the quiz page's player over an arbitrary quiz element. The input is the element's
// decoded bytes (encoded here, so that the fuzzer explores the resources' layout rather than base64):
// the resources read as far as they go, the quiz loaded, both panels built, a box judged, "Cacher" and
// a save, and the screen read back, never outside the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/panel_ids.h"
#include "platform/portable/page_bundle.h"
#include "web/screen_snapshot.h"
#include "web/web_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fenok::base64Encode(data, size);
  fenok::web::WebSession session(text.data(), text.size(), "fuzz.html");
  session.start({});
  session.leaveBox(fenok::kFirstAnswerBoxId, "R\xC3\xA9PONSE");
  session.clickHide(true);
  session.clickSave();
  session.clickPlay(1);
  (void)fenok::web::screenSnapshot(session);
  (void)session.answersFile();
  return 0;
}

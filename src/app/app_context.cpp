#include "app_context.h"

namespace fenok {
namespace {
AppContext* current = nullptr;
}  // namespace

AppContext* appContext() { return current; }
void publishAppContext(AppContext* context) { current = context; }

}  // namespace fenok

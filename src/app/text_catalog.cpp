#include "app/text_catalog.h"

namespace {

struct Entry {
  const char* name;
  const char* ja;
  const char* en;
};

constexpr Entry kCatalog[] = {
#define TOCSIM_TEXT_ENTRY(name, ja, en) {#name, ja, en},
    TOCSIM_TEXTS(TOCSIM_TEXT_ENTRY)
#undef TOCSIM_TEXT_ENTRY
};
static_assert(sizeof kCatalog / sizeof kCatalog[0] == static_cast<int>(Text::Count));

const Entry& entry(Text id) {
  const int i = static_cast<int>(id);
  return kCatalog[(i >= 0 && i < static_cast<int>(Text::Count)) ? i : 0];
}

}  // namespace

const char* text(Text id, Lang lang) {
  const Entry& e = entry(id);
  return (lang == Lang::En && e.en != nullptr) ? e.en : e.ja;
}

const char* text_name(Text id) { return entry(id).name; }

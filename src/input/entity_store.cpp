#include "input/entity_store.h"

namespace mq {

// Not built yet.
void LoadEntity(EntityStore& store, int& index, const NoteSources& notes, Operator& ui) { ++index; }
bool IsBlankText(std::string_view text) { return text.find_first_not_of(std::string_view(" \0", 2)) == std::string_view::npos; }

}  // namespace mq

#pragma once
// JSON values of the command line's reports, built with nlohmann-json. Objects keep
// their keys in the order they are set, so a report reads as its fields are listed.

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace mq::cli {

using Json = nlohmann::ordered_json;

// The text as valid UTF-8: well-formed UTF-8 passes, any other byte is read as the
// Windows code page cp1252 that older drawings use. Every string of a report goes
// through here, since drawings and settings files hold whatever bytes people typed.
std::string TextAsUtf8(std::string_view text);
inline Json JsonText(std::string_view text) { return TextAsUtf8(text); }

// The number the float's shortest text reads as, so that 0.1f prints as 0.1 and not as
// the double nearest to 0.1f; whole numbers stay integers. Null for NaN and infinities,
// which JSON cannot hold. (A few such numbers print with 17 digits: the same value.)
Json JsonFloat(float value);

// The document indented, ending with a line end.
void PrintJson(std::ostream& out, const Json& document);

}  // namespace mq::cli

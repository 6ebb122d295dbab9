#pragma once
// The TPA graphic editor of a Winner90 installation offers the converter in its own
// menu: at start-up the converter enters itself into the editor's "TPA.INI", and when
// its window is closed it clears the editor's exec flag. Both only when the G code
// destination path lies in a Winner90 tree.

#include <optional>
#include <string>
#include <string_view>

namespace mq {

inline constexpr std::string_view kTpaSettingsName = "TPA.INI";
inline constexpr std::string_view kTpaConverterSection = "edigraf-conv";
inline constexpr std::string_view kTpaExecSection = "edigraf-exec";

// The Winner90 root: the destination path cut after the character that follows the
// first "WINNER90" (any case), so C:\WINNER90\PRG\ gives C:\WINNER90\ ; nullopt when
// the path holds no "WINNER90".
std::optional<std::string> Winner90Root(std::string_view destination_path);

// "conv01" of [edigraf-conv]: the converter as the editor's menu entry, opening
// `dxf_path` for "*.dxf".
std::string TpaConverterEntry(const std::string& root, const std::string& dxf_path);

// Root & "TPA.INI": [edigraf-conv] conv01 := the converter's entry, conv02 := empty.
// Returns the empty text on success, otherwise the reason. Nothing is written where the
// root directory does not exist: there is no editor to tell.
std::string RegisterWithTpaEditor(const std::string& root, const std::string& dxf_path);

// Root & "TPA.INI": [edigraf-exec] Exec := "0".
std::string ClearTpaExecFlag(const std::string& root);

}  // namespace mq

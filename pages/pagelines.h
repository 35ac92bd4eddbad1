#pragma once

#include <QLatin1String>

// Lines that the head and the bodies of the pages share.
namespace PageLines {
inline constexpr QLatin1String Space(" ");
inline constexpr QLatin1String NonBreakingBreak("&nbsp<br>");
inline constexpr QLatin1String Rule("<hr><!--------------------------------------------------->");
inline constexpr QLatin1String PictureStart("         <img SRC=\"./Thumbs/");
inline constexpr QLatin1String RowEnd("   </TR>");
inline constexpr QLatin1String RowStart("   <TR>");
inline constexpr QLatin1String CellEnd("      </TD>");
} // namespace PageLines

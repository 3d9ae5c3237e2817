#pragma once

namespace Tavrix::App::LookAndFeelNames {

/// Folders of the product's resources location.
constexpr char RESOURCES[] = "resources";
constexpr char LOCALES[] = "locales";
constexpr char THEMES[] = "themes";

/// The marker of a locale that is not known.
constexpr char UNKNOWN_LOCALE[] = "unknown";

/// Names a product may use for its look-and-feel choices.
constexpr char LOCALE[] = "locale";
constexpr char THEME[] = "theme";
constexpr char DARK[] = "Dark";
constexpr char LIGHT[] = "Light";

} // namespace Tavrix::App::LookAndFeelNames

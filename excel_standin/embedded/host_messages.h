#pragma once
// The texts a German Excel gives with the errors the embedded host raises.
// Excel reports refused operations as error 1004 with a sentence of its own;
// these follow its wording and style.

#include <string>
#include <string_view>

namespace brackwell::embedded::msg {

inline constexpr std::string_view kInvalidSheetName =
    "Sie haben einen ungültigen Namen für ein Blatt oder Diagramm eingegeben. Stellen Sie "
    "Folgendes sicher:\n"
    "• Der eingegebene Name besteht aus höchstens 31 Zeichen.\n"
    "• Der Name enthält keines der folgenden Zeichen: : \\ / ? * [ oder ]\n"
    "• Der Name beginnt oder endet nicht mit einem Apostroph (').\n"
    "• Das Namensfeld ist nicht leer.";
inline constexpr std::string_view kSheetNameTaken =
    "Dieser Name wird bereits verwendet. Versuchen Sie es mit einem anderen Namen.";
inline constexpr std::string_view kLastVisibleSheet =
    "Eine Arbeitsmappe muss mindestens ein sichtbares Arbeitsblatt enthalten.";
inline constexpr std::string_view kWrongPassword =
    "Das eingegebene Kennwort ist ungültig. Stellen Sie sicher, dass die FESTSTELLTASTE nicht "
    "aktiviert ist und Sie die richtige Groß-/Kleinschreibung verwenden.";
inline constexpr std::string_view kInvalidDefinedName =
    "Der eingegebene Name ist ungültig.\n\nGründe hierfür können sein:\n"
    "• Der Name beginnt nicht mit einem Buchstaben oder Unterstrich.\n"
    "• Der Name enthält ein Leerzeichen oder ein anderes ungültiges Zeichen.\n"
    "• Der Name entspricht einem Zellbezug.";
inline constexpr std::string_view kDefinedNameTaken =
    "Der eingegebene Name ist bereits vorhanden. Geben Sie einen eindeutigen Namen ein.";
inline constexpr std::string_view kInvalidReference = "Der Bezug ist ungültig.";

// "Die Methode 'Goto' für das Objekt '_Application' ist fehlgeschlagen."
inline std::string MethodFailed(std::string_view method, std::string_view object) {
    return "Die Methode '" + std::string(method) + "' für das Objekt '" + std::string(object) +
           "' ist fehlgeschlagen.";
}

// "Die ColorIndex-Eigenschaft des Tab-Objektes kann nicht festgelegt werden."
inline std::string PropertyNotSet(std::string_view property, std::string_view object) {
    return "Die " + std::string(property) + "-Eigenschaft des " + std::string(object) +
           "-Objektes kann nicht festgelegt werden.";
}

inline std::string FileNotFound(std::string_view path) {
    return "'" + std::string(path) +
           "' wurde nicht gefunden. Überprüfen Sie die Rechtschreibung des Dateinamens, und "
           "stellen Sie sicher, dass der Speicherort der Datei korrekt ist.";
}

inline std::string FileUnreadable(std::string_view path) {
    return "Die Datei '" + std::string(path) +
           "' kann nicht geöffnet werden, weil das Dateiformat oder die Dateierweiterung ungültig "
           "ist. Stellen Sie sicher, dass die Datei nicht beschädigt ist.";
}

inline std::string FileNotSaved(std::string_view path) {
    return "Die Datei '" + std::string(path) + "' konnte nicht gespeichert werden.";
}

inline std::string ReadOnlyWorkbook(std::string_view name) {
    return "'" + std::string(name) +
           "' ist schreibgeschützt. Um eine Kopie zu speichern, wählen Sie 'Speichern unter' und "
           "geben einen neuen Namen ein.";
}

inline std::string WorkbookNameInUse(std::string_view name) {
    return "Eine Arbeitsmappe mit dem Namen '" + std::string(name) +
           "' ist bereits geöffnet. Sie können nicht zwei Arbeitsmappen mit demselben Namen "
           "gleichzeitig öffnen.";
}

}  // namespace brackwell::embedded::msg

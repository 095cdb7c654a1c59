#include "host/automation_error.h"

#include <utility>

namespace brackwell {

AutomationError::AutomationError(std::int32_t number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

std::string StandardDescription(std::int32_t number) {
    switch (number) {
    case err::kInvalidCall: return "Unzulässiger Prozeduraufruf oder ungültiges Argument";
    case err::kOverflow: return "Überlauf";
    case err::kSubscriptOutOfRange: return "Index außerhalb des gültigen Bereichs";
    case err::kTypeMismatch: return "Typen unverträglich";
    case err::kFileNotFound: return "Datei nicht gefunden";
    case err::kObjectNotSet: return "Objektvariable oder With-Blockvariable nicht festgelegt";
    case err::kNoSuchControlElement: return "Steuerelementfeld-Element existiert nicht";
    case err::kFormAlreadyShown: return "Formular wird bereits angezeigt; kann nicht modal angezeigt werden";
    case err::kNotSupported: return "Objekt unterstützt diese Eigenschaft oder Methode nicht";
    case err::kHost: return "Anwendungs- oder objektdefinierter Fehler";
    case err::kElementNotFound: return "Element nicht gefunden";
    case err::kKeyNotUnique: return "Schlüssel ist in der Auflistung nicht eindeutig";
    case err::kInvalidKey: return "Ungültiger Schlüssel";
    case err::kDisconnected: return "Automatisierungsfehler";
    default: return {};
    }
}

void Raise(std::int32_t number) { throw AutomationError(number, StandardDescription(number)); }

void Raise(std::int32_t number, std::string description) {
    throw AutomationError(number, std::move(description));
}

}  // namespace brackwell

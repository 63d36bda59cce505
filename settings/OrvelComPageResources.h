// The resources of the template property page: its dialog and its strings.
#pragma once

#include <optional>
#include <string>

#include "ui/DialogTemplate.h"

constexpr int IDS_TITLEPptComPage = 103;
constexpr int IDS_HELPFILEPptComPage = 104;
constexpr int IDS_DOCSTRINGPptComPage = 105;
constexpr int IDD_PPTCOMPAGE = 107;

constexpr int IDC_TEMPLATE_NAME = 501;
constexpr int IDC_BROWSE = 502;

// Null when the module has no dialog of that id.
const DialogTemplate* findDialogResource(int id);
// Nothing when the module has no string of that id.
std::optional<std::string> loadStringResource(int id);

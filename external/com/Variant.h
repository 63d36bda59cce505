// VARIANT handling for the automation argument types.
#pragma once

#include "com/ComTypes.h"

void VariantInit(VARIANT* v);
HRESULT VariantClear(VARIANT* v);  // frees an owned BSTR, releases an interface
HRESULT VariantCopy(VARIANT* dest, const VARIANT* source);
// Coerces to VT_I2, VT_I4, VT_BOOL or VT_BSTR (numbers <-> text as VB does);
// DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW when it cannot.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, USHORT flags, VARTYPE type);

// Flags of VariantChangeType.
constexpr USHORT VARIANT_NOVALUEPROP = 0x1;
constexpr USHORT VARIANT_ALPHABOOL = 0x2;   // VT_BOOL -> "True"/"False" instead of "-1"/"0"
constexpr USHORT VARIANT_LOCALBOOL = 0x10;  // the same, in the user's language (English here)

// IDocument: the dual interface shared by every document back-end of the
// client's family. Its identity, method order, dispatch ids and parameter
// types are fixed; the table below is the one source of truth for the
// interface declaration, the type library, IDispatch and the script reader.
#pragma once

#include "com/ComTypes.h"

constexpr IID IID_IDocument = makeGuid("{3F65DC20-B90B-11D1-8472-00409526217E}");

// X(dispid, name, (C++ parameters), (P(kind, parameterName), ...))
// kinds: BstrIn, ShortIn, LongIn, BoolIn, BstrOut.
#define ORVEL_IDOCUMENT_METHODS(X)                                                                 \
    X(1, create, (BSTR fileName), (P(BstrIn, fileName)))                                           \
    X(2, close, (), ())                                                                            \
    X(3, insertText, (BSTR text), (P(BstrIn, text)))                                               \
    X(4, insertEndl, (), ())                                                                       \
    X(5, insertDiagram, (LONG ptr, SHORT width, SHORT height),                                     \
      (P(LongIn, ptr), P(ShortIn, width), P(ShortIn, height)))                                     \
    X(6, insertPageBreak, (), ())                                                                  \
    X(7, insertField, (SHORT field), (P(ShortIn, field)))                                          \
    X(8, startHeader, (), ())                                                                      \
    X(9, endHeader, (), ())                                                                        \
    X(10, startFooter, (), ())                                                                     \
    X(11, endFooter, (), ())                                                                       \
    X(12, setStyle, (BSTR style), (P(BstrIn, style)))                                              \
    X(13, setFontName, (BSTR name), (P(BstrIn, name)))                                             \
    X(14, setOption, (BSTR option, BSTR value), (P(BstrIn, option), P(BstrIn, value)))             \
    X(15, trace, (SHORT level), (P(ShortIn, level)))                                               \
    X(16, getPropPages, (BSTR * bstrCLSID), (P(BstrOut, bstrCLSID)))                               \
    X(17, start, (), ())                                                                           \
    X(18, stop, (), ())                                                                            \
    X(19, showLast, (), ())                                                                        \
    X(20, setFontSize, (SHORT size), (P(ShortIn, size)))                                           \
    X(21, setFontAttribute, (SHORT att, BOOL value), (P(ShortIn, att), P(BoolIn, value)))          \
    X(22, setTextAlign, (SHORT textAlign), (P(ShortIn, textAlign)))                                \
    X(23, insertFile, (BSTR fileName, SHORT insertAsType), (P(BstrIn, fileName), P(ShortIn, insertAsType))) \
    X(24, getDocType, (BSTR * docType), (P(BstrOut, docType)))                                     \
    X(25, overrideRegistry, (BSTR group, BSTR name, BSTR value, SHORT valueType),                  \
      (P(BstrIn, group), P(BstrIn, name), P(BstrIn, value), P(ShortIn, valueType)))                \
    X(26, insertTOC, (), ())                                                                       \
    X(27, startTable, (), ())                                                                      \
    X(28, endTable, (), ())                                                                        \
    X(29, addCell, (), ())                                                                         \
    X(30, addRow, (), ())                                                                          \
    X(31, insertMark, (LONG ptr, BOOL isPrimary), (P(LongIn, ptr), P(BoolIn, isPrimary)))          \
    X(32, startTOCEntry, (), ())                                                                   \
    X(33, endTOCEntry, (), ())                                                                     \
    X(34, insertImage, (BSTR imageFileName, BSTR fileOrUrl), (P(BstrIn, imageFileName), P(BstrIn, fileOrUrl))) \
    X(35, setOrientation, (SHORT docorient), (P(ShortIn, docorient)))                              \
    X(36, setTableRowHeight, (LONG points), (P(LongIn, points)))                                   \
    X(37, insertTag, (BSTR tagName), (P(BstrIn, tagName)))                                         \
    X(38, insertXref, (BSTR text, BSTR tagName), (P(BstrIn, text), P(BstrIn, tagName)))            \
    X(39, startFile, (BSTR fileName), (P(BstrIn, fileName)))                                       \
    X(40, insertLocate, (), ())                                                                    \
    X(41, pushDirectory, (BSTR directoryName), (P(BstrIn, directoryName)))                         \
    X(42, popDirectory, (), ())

struct IDocument : IDispatch {
    static constexpr IID iid = IID_IDocument;

#define ORVEL_DECLARE_IDOCUMENT_METHOD(id, name, params, info) virtual HRESULT name params = 0;
    ORVEL_IDOCUMENT_METHODS(ORVEL_DECLARE_IDOCUMENT_METHOD)
#undef ORVEL_DECLARE_IDOCUMENT_METHOD

protected:
    ~IDocument() = default;
};

#pragma once

// Word's numbers, with Word's names, as the object model uses them.
namespace word {

inline constexpr long wdUndefined = 9999999;  // a value that differs over a range
inline constexpr long wdToggle = 9999998;     // put on Font.Bold: bold <-> not bold

// Paragraph alignment.
inline constexpr long wdAlignParagraphLeft = 0;
inline constexpr long wdAlignParagraphCenter = 1;
inline constexpr long wdAlignParagraphRight = 2;
inline constexpr long wdAlignParagraphJustify = 3;
inline constexpr long wdAlignParagraphDistribute = 4;

// Range.Information.
inline constexpr int wdActiveEndPageNumber = 3;
inline constexpr int wdNumberOfPagesInDocument = 4;
inline constexpr int wdFirstCharacterLineNumber = 10;
inline constexpr int wdStartOfRangeRowNumber = 13;

// Selection.GoTo.
inline constexpr int wdGoToPage = 1;
inline constexpr int wdGoToAbsolute = 1;
inline constexpr int wdGoToNext = 2;
inline constexpr int wdGoToPrevious = 3;

// Units and moves.
inline constexpr int wdCharacter = 1;
inline constexpr int wdStory = 6;
inline constexpr int wdMove = 0;
inline constexpr int wdExtend = 1;

// Find.Execute Wrap.
inline constexpr int wdFindStop = 0;
inline constexpr int wdFindContinue = 1;
inline constexpr int wdFindAsk = 2;

// Field.Type.
inline constexpr long wdFieldEmpty = -1;
inline constexpr long wdFieldTOC = 13;
inline constexpr long wdFieldPage = 33;
inline constexpr long wdFieldNumPages = 26;
inline constexpr long wdFieldDate = 31;
inline constexpr long wdFieldRef = 3;
inline constexpr long wdFieldHyperlink = 88;

// Line spacing rules.
inline constexpr long wdLineSpaceSingle = 0;
inline constexpr long wdLineSpace1pt5 = 1;
inline constexpr long wdLineSpaceDouble = 2;
inline constexpr long wdLineSpaceAtLeast = 3;
inline constexpr long wdLineSpaceExactly = 4;
inline constexpr long wdLineSpaceMultiple = 5;

// Underline.
inline constexpr long wdUnderlineNone = 0;
inline constexpr long wdUnderlineSingle = 1;

// Colours are 0x00BBGGRR.
inline constexpr long wdColorBlack = 0;
inline constexpr long wdColorMarkRed = 192;

// Languages.
inline constexpr long wdSimplifiedChinese = 2052;
inline constexpr long wdEnglishUS = 1033;

// Document.SaveAs FileFormat.
inline constexpr int wdFormatDocument = 0;
inline constexpr int wdFormatXMLDocument = 12;

}  // namespace word

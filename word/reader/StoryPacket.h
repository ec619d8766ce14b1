#pragma once

// The packed reply of a story walk: the main story and its layout in four
// flat sequences, so that a whole document crosses the bridge in one reply.
// Written by StoryWalk (inside the engine process, or in ours over the
// bridge when the reader component cannot be loaded), read by StoryUnpack.
//
//   reply[0] Sequence<sal_Int32>   header, paragraphs, runs, layout lines
//   reply[1] Sequence<OUString>    texts, list labels, interned font names
//   reply[2] Sequence<double>      font sizes
//   reply[3] Sequence<XTextRange>  engine objects of paragraphs (see below)
//   reply[4] Sequence<XText>       engine objects of the texts (body, cells)
//
// Engine objects are costly to move over the bridge (each becomes a proxy
// that the engine must track, typed so that no query goes back): a story
// read carries none but the paragraphs taken off the grid, in the order of
// their indices; an Objects read carries every paragraph and every text and
// nothing else, for the writes that need them.
//
// Header: version, what, paragraph count, text count, layout state,
// Word's page count, line count, count of paragraphs taken off the grid.
// A paragraph: text index, table row, length, run count, the seven
// paragraph attributes, list label (string), text (string), the mark's run,
// then its runs. A run: length, Latin font (string), Asian font (string),
// Latin size (double), Asian size (double), flags, escapement, underline,
// colour, Latin language, Asian language.
// A layout line: story position of its start, Word's page, line on the page,
// the engine's page, and 1 where the walk took only this first line of a
// page that lies wholly inside one paragraph (0 otherwise). After the lines of a partial walk: where it would go
// on (the engine's page, Word's page, story position).
// Then the index of each paragraph taken off the grid.

#include <sal/types.h>

namespace word::packet {

constexpr sal_Int32 kVersion = 4;

// ReleaseGrid: paragraphs with exact line spacing stop snapping to the
// document grid (which rounds their lines up to whole grid lines, where Word
// keeps the exact height); the reply names them. At-least spacing keeps the
// grid: without it the engine grows such lines to the font's own height,
// and a Word-saved thesis came out a page longer than Word laid it out.
// CachedStory: a layout or objects read may use the paragraphs the last
// story read of the document left in the reader (only when no text moved
// since; formatting does not move text).
// WriteCharProperty: sets a character property on a stretch of one
// paragraph (reader/StoryWrite.h); the reply is a boolean.
enum What : sal_Int32 { Story = 1, Layout = 2, ReleaseGrid = 4, Objects = 8, CachedStory = 16, WriteCharProperty = 32 };
// PartlyLaidOut: the walk stopped early where the request said (see
// LayoutWalk.h); the lines are followed by where it would go on.
enum LayoutState : sal_Int32 { NoLayout = 0, LaidOut = 1, PartlyLaidOut = 2 };
enum Slot { Ints = 0, Strings = 1, Doubles = 2, ParagraphObjects = 3, TextObjects = 4, SlotCount = 5 };
enum RunFlag : sal_Int32 { LatinBold = 1, AsianBold = 2, Italic = 4 };

constexpr const char* kImplementationName = "org.quillmark.StoryReader";
constexpr const char* kModelArgument = "Model";
constexpr const char* kWhatArgument = "What";
// The part of the layout to walk (LayoutRequest), optional.
constexpr const char* kFromPhysicalPageArgument = "FromPhysicalPage";
constexpr const char* kFromPageArgument = "FromPage";
constexpr const char* kFromPositionArgument = "FromPosition";
constexpr const char* kUntilArgument = "Until";
constexpr const char* kStoryStampArgument = "StoryStamp";
// The write of WriteCharProperty.
constexpr const char* kStartArgument = "Start";
constexpr const char* kEndArgument = "End";
constexpr const char* kPropertyArgument = "Property";
constexpr const char* kValueArgument = "Value";

}  // namespace word::packet

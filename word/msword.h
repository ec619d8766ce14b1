#pragma once

// The Word object model over the engine: include this one header.
#include "Application.h"
#include "Comments.h"
#include "Document.h"
#include "Fields.h"
#include "Find.h"
#include "Font.h"
#include "Paragraphs.h"
#include "Range.h"
#include "WordConstants.h"
#include "WordError.h"
#include "Words.h"

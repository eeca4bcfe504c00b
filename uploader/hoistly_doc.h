// The document and view the uploader's single-document template asks for. Neither holds anything:
// the frame's client area belongs to its splitter panes.
#pragma once

#include "framework/doc_template.h"

class CHoistlyDoc : public fw::Document {};

class CHoistlyView : public fw::View {};

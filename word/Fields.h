#pragma once

#include "Span.h"

#include <vector>

namespace word {

class Range;

class Field {
public:
    Field(std::shared_ptr<DocumentModel> doc, long type, long start, long end)
        : doc_(std::move(doc)), type_(type), start_(start), end_(end) {}

    long Type() const { return type_; }  // wdFieldTOC = 13 for a table of contents
    word::Range Result() const;
    void Select() const;

private:
    std::shared_ptr<DocumentModel> doc_;
    long type_;
    long start_;
    long end_;
};

class Fields {
public:
    Fields(std::shared_ptr<DocumentModel> doc, std::vector<Field> items) : doc_(std::move(doc)), items_(std::move(items)) {}

    long Count() const { return static_cast<long>(items_.size()); }
    Field Item(long index) const;  // 1-based

private:
    std::shared_ptr<DocumentModel> doc_;
    std::vector<Field> items_;
};

}  // namespace word

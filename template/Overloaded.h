#pragma once

namespace quillmark {

// Combines lambdas into one visitor for std::visit.
template <class... Lambdas>
struct Overloaded : Lambdas... {
    using Lambdas::operator()...;
};

// Needed by compilers without deduction for aggregates (clang 14).
template <class... Lambdas>
Overloaded(Lambdas...) -> Overloaded<Lambdas...>;

}  // namespace quillmark

#pragma once

namespace okap::tool {

// Shows messages on standard error and answers the question whether to
// replace an existing output: yes with --replace (replace true), otherwise
// no, saying how to replace it.
void AnswerReplaceWith(bool replace);

}  // namespace okap::tool

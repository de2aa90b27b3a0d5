#include "app/form_velunor_filter.h"

#include "encrypter/program.h"

namespace velunor {

TFormVelunorFilter::TFormVelunorFilter(platform::TWindowSystem& windowSystem,
                                       encrypter::TFilterText text, QWidget* parent)
    : TFormVelunor(
          windowSystem,
          [&text](encrypter::TEncrypterFrontEnd& frontEnd,
                  encrypter::TFormVelunorComponents& components) {
            return std::make_unique<encrypter::TFilterSession>(frontEnd, components,
                                                               std::move(text));
          },
          encrypter::kFilterWindowClassName, parent) {}

}  // namespace velunor

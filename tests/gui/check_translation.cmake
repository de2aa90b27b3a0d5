# Fails when a window text has no English translation: lupdate, run over the
# window sources into a copy of the translation, marks every text that is new
# or not yet translated as unfinished. The Win32 windows' texts count too:
# lupdate reads UiText("…") as a text to translate.
file(COPY_FILE ${TS_FILE} ${WORK_DIR}/translation_check.ts)
execute_process(
  COMMAND ${LUPDATE} -silent -no-obsolete -locations none -tr-function-alias QT_TR_NOOP+=UiText
          -I ${SOURCE_DIR} ${SOURCE_DIR}/app ${SOURCE_DIR}/cheatsheet ${SOURCE_DIR}/widgets
          ${SOURCE_DIR}/win32
          -ts ${WORK_DIR}/translation_check.ts
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed with status ${status}")
endif()
file(READ ${WORK_DIR}/translation_check.ts translation)
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*<translation type=\"unfinished\"" untranslated
       "${translation}")
if(untranslated)
  string(REGEX REPLACE "<source>([^<]*)</source>[^<]*<translation type=\"unfinished\";?" "\n  \\1"
         untranslated "${untranslated}")
  message(FATAL_ERROR "Window texts without an English translation:${untranslated}")
endif()
message(STATUS "Every window text has its English translation")

# Precompiled Qt and standard headers: most sources include the same dozen,
# and parsing them is most of a compile. Only outside headers go in, so a
# project header still has to be included where it is used (and the core's
# layering still holds).
option(CORVUTIL_PCH "Precompile the Qt and standard headers the sources use" ON)

set(CORV_PCH_CORE <QString> <QStringList> <QVariant> <QList> <QHash> <QDate> <QDateTime>
    <QDir> <QFile> <QFileInfo> <QRegularExpression> <functional> <memory> <optional> <vector>)
set(CORV_PCH_SQL ${CORV_PCH_CORE} <QSqlDatabase> <QSqlQuery> <QSqlError> <QSqlRecord>)
set(CORV_PCH_WIDGETS ${CORV_PCH_SQL} <QApplication> <QWidget> <QLabel> <QPushButton> <QLineEdit>
    <QComboBox> <QListView> <QHBoxLayout> <QVBoxLayout> <QGridLayout>)

# corv_precompile(TARGET CORE|SQL|WIDGETS [extra headers...])
function(corv_precompile target set)
  if(CORVUTIL_PCH)
    target_precompile_headers(${target} PRIVATE ${CORV_PCH_${set}} ${ARGN})
  endif()
endfunction()

# ccache takes a precompiled header only with these allowances (and GCC's
# -fpch-preprocess); without them every compile would miss the cache.
if(CORVUTIL_PCH AND CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER
      "${CMAKE_COMMAND};-E;env;CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime;${CCACHE_PROGRAM}")
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-fpch-preprocess)
  endif()
endif()

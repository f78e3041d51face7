# Precompiled headers: nearly every translation unit of a kind parses the same
# large headers (Qt's widgets, GoogleTest), which costs more than compiling
# its own code. Each kind's headers are compiled once, by a small host
# library, and every target of that kind reuses them:
#   std      plain C++: the engine, makrel, the command-line tools
#   qt_core  Qt without widgets: the workers
#   qt       the Qt widget libraries and programs
#   test, qt_core_test, qt_test   the test programs, with GoogleTest besides
# A target is matched to a kind by what it links, so new targets need
# nothing. LIRABO_PCH=OFF builds each file from its own includes alone.
option(LIRABO_PCH "Precompile the headers that targets of one kind share" ON)

set(LIRABO_PCH_HOST_SOURCE ${CMAKE_CURRENT_LIST_DIR}/pch_host.cpp)

function(_lirabo_pch_host name)
  cmake_parse_arguments(H "" "" "HEADERS;LIBRARIES" ${ARGN})
  add_library(${name} STATIC EXCLUDE_FROM_ALL ${LIRABO_PCH_HOST_SOURCE})
  target_link_libraries(${name} PRIVATE ${H_LIBRARIES})
  target_precompile_headers(${name} PRIVATE ${H_HEADERS})
endfunction()

# Whether Target links Library, directly or through the libraries it links.
function(_lirabo_links Target Library Result)
  set(seen "")
  set(pending ${Target})
  while(pending)
    list(POP_FRONT pending current)
    if(current STREQUAL Library)
      set(${Result} TRUE PARENT_SCOPE)
      return()
    endif()
    if(NOT TARGET ${current} OR current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      list(APPEND pending ${aliased})
    endif()
    get_target_property(type ${current} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${current} LINK_LIBRARIES)
      if(links)
        list(APPEND pending ${links})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND pending ${interface})
    endif()
  endwhile()
  set(${Result} FALSE PARENT_SCOPE)
endfunction()

function(_lirabo_collect_targets Directory Result)
  get_property(targets DIRECTORY ${Directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(children DIRECTORY ${Directory} PROPERTY SUBDIRECTORIES)
  foreach(child IN LISTS children)
    _lirabo_collect_targets(${child} more)
    list(APPEND targets ${more})
  endforeach()
  set(${Result} ${targets} PARENT_SCOPE)
endfunction()

# The headers of each kind: those that many of its files include.
set(_lirabo_std_headers <algorithm> <array> <cstdint> <cstring> <functional> <map> <memory> <optional>
    <string> <string_view> <utility> <vector>)
set(_lirabo_qt_core_headers <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QElapsedTimer> <QFile>
    <QFileInfo> <QObject> <QPointer> <QProcess> <QSettings> <QString> <QStringList> <QTemporaryDir>
    <QTimer> <QUrl> <QVariant>)
set(_lirabo_qt_widgets_headers ${_lirabo_qt_core_headers} <QAction> <QApplication> <QCheckBox>
    <QClipboard> <QColor> <QComboBox> <QDialog> <QEvent> <QFont> <QGroupBox> <QHBoxLayout> <QKeyEvent>
    <QLabel> <QLineEdit> <QListWidget> <QMainWindow> <QMenu> <QMenuBar> <QMessageBox> <QMouseEvent>
    <QPainter> <QPlainTextEdit> <QProgressBar> <QPushButton> <QRadioButton> <QScreen> <QScrollBar>
    <QStyle> <QTabWidget> <QToolBar> <QToolButton> <QVBoxLayout> <QWidget>)

# Call once, after every target is defined.
function(lirabo_precompile_headers)
  if(NOT LIRABO_PCH)
    return()
  endif()
  _lirabo_pch_host(lirabo_pch_std HEADERS ${_lirabo_std_headers})
  if(LIRABO_GUI)
    # The subfolders found Qt for themselves; the hosts live up here.
    find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
    _lirabo_pch_host(lirabo_pch_qt_core HEADERS ${_lirabo_qt_core_headers} ${_lirabo_std_headers}
                     LIBRARIES Qt6::Core)
    _lirabo_pch_host(lirabo_pch_qt HEADERS ${_lirabo_qt_widgets_headers} ${_lirabo_std_headers}
                     LIBRARIES Qt6::Widgets)
  endif()
  if(LIRABO_TESTS)
    find_package(GTest REQUIRED)
    _lirabo_pch_host(lirabo_pch_test HEADERS <gtest/gtest.h> ${_lirabo_std_headers} LIBRARIES GTest::gtest)
    if(LIRABO_GUI)
      # Not QTest: Qt's test module defines each test folder's own path for
      # it, which a header made once cannot match.
      _lirabo_pch_host(lirabo_pch_qt_core_test HEADERS <gtest/gtest.h> ${_lirabo_qt_core_headers}
                       ${_lirabo_std_headers} LIBRARIES GTest::gtest Qt6::Core)
      _lirabo_pch_host(lirabo_pch_qt_test HEADERS <gtest/gtest.h> ${_lirabo_qt_widgets_headers}
                       ${_lirabo_std_headers} LIBRARIES GTest::gtest Qt6::Widgets)
    endif()
  endif()

  _lirabo_collect_targets(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    # The libFuzzer binaries are built with options of their own, which a
    # shared header would have to match; their replayers are not.
    if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$" OR target MATCHES "^lirabo_pch_" OR
       (target MATCHES "^fuzz_" AND NOT target MATCHES "_replay$"))
      continue()
    endif()
    set(widgets FALSE)
    set(core FALSE)
    set(gtest FALSE)
    if(LIRABO_GUI)
      _lirabo_links(${target} Qt6::Widgets widgets)
      _lirabo_links(${target} Qt6::Core core)
    endif()
    if(LIRABO_TESTS)
      _lirabo_links(${target} GTest::gtest gtest)
    endif()
    if(widgets)
      set(kind qt)
    elseif(core)
      set(kind qt_core)
    else()
      set(kind std)
    endif()
    if(gtest)
      string(REPLACE "std" "" kind ${kind})
      string(REGEX REPLACE "^_" "" kind "${kind}_test")
    endif()
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      # g++ 12 loses track of the standard library being a system header
      # when it comes from a precompiled header, and then reports its known
      # false alarms about std::string copies in optimised code. The build
      # without precompiled headers still reports them, and the sanitizer
      # build checks those copies as they run.
      target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
    endif()
    target_precompile_headers(${target} REUSE_FROM lirabo_pch_${kind})
  endforeach()
endfunction()

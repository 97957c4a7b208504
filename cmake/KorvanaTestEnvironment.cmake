# Read by CTest before the test cases are listed. Listing the render tests starts a GUI
# application, which needs a Qt platform even where no display is set; the cases
# themselves run with the offscreen platform.
if(NOT DEFINED ENV{QT_QPA_PLATFORM})
  set(ENV{QT_QPA_PLATFORM} offscreen)
endif()

# Every fuzz target and the libraries it links, in one list for the two that
# build them: fuzz/CMakeLists.txt (libFuzzer, clang) and tests/fuzz (seed
# replay in ctest). Each defines tarnvel_fuzz_target(name libraries...).
tarnvel_fuzz_target(number_reading tarnvel_core)
tarnvel_fuzz_target(angles tarnvel_core)
tarnvel_fuzz_target(computations tarnvel_core)
tarnvel_fuzz_target(element_file tarnvel_io)
tarnvel_fuzz_target(route_file tarnvel_io)
tarnvel_fuzz_target(landxml tarnvel_io)
tarnvel_fuzz_target(jd_file tarnvel_io)
tarnvel_fuzz_target(station_file tarnvel_io)
tarnvel_fuzz_target(point_file tarnvel_io)
tarnvel_fuzz_target(profile_file tarnvel_io)
tarnvel_fuzz_target(section_file tarnvel_io)
tarnvel_fuzz_target(ground_file tarnvel_io)
tarnvel_fuzz_target(slope_file tarnvel_io)
tarnvel_fuzz_target(landxml_surface tarnvel_io)

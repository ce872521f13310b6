# The fuzz targets; each has fuzz/<name>.cpp and a seed corpus in fuzz/corpus/<name>.
set(KVILTORA_FUZZ_TARGETS fuzz_parse fuzz_format fuzz_calculate fuzz_links fuzz_answers fuzz_bases
                           fuzz_practice)

# The fuzz harnesses, one per file a user can hand the program. Shared by the fuzz
# build (which makes them) and the tests (which run each one briefly).
set(NATALORY_FUZZ_HARNESSES
    record_codec
    settings
    template_render
    template_roundtrip
    headlines
    headlines_set2
    celebrities
    year_records
    print_log
    picture
    batch_file
)

# quorvane_main_window and the quorvane executable (filled in as built)

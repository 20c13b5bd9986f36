# quorvane_main_logic: layout, controller (filled in as built)

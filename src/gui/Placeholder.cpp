void kelvo_gui_placeholder() {}
